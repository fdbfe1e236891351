#pragma once
// The text of a word-processor document, page by page, through its automation server
// ("Word.Application") by late-bound calls.
#include <functional>
#include <string>
#include <string_view>

// The line that stands before the text of page n.
std::string PageHeader(int page);

// Opens the document in a new server and hands `append` each page's header line and then the
// page's text, one entry each, in page order. A document of no pages appends nothing. The server is
// told to quit on every path once it exists; an error of the server (it cannot be created, the
// document cannot be opened, a call fails) is raised to the caller as the automation error. COM
// must be initialised on the calling thread.
void ReadWordDocument(std::string_view path, const std::function<void(const std::string&)>& append);
