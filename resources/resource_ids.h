#pragma once
#define IDS_APP_TITLE 1
