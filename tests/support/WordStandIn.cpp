#include "tests/support/WordStandIn.h"

#include <cstdio>
#include <stdexcept>

namespace {
std::string StandInPath()
{
  char exe[MAX_PATH];
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  std::string dir(exe);
  dir.erase(dir.find_last_of('\\'));  // ...\tests\<folder>
  dir.erase(dir.find_last_of('\\'));  // ...\tests
  return dir + "\\equipment\\WordStandIn.dll";
}
}  // namespace

bool TWordStandIn::Available() { return GetFileAttributesA(StandInPath().c_str()) != INVALID_FILE_ATTRIBUTES; }

TWordStandIn::TWordStandIn()
{
  FModule = LoadLibraryA(StandInPath().c_str());
  if (!FModule) throw std::runtime_error("cannot load " + StandInPath());
  auto reg = reinterpret_cast<HRESULT(WINAPI*)()>(reinterpret_cast<void*>(GetProcAddress(FModule, "DllRegisterServer")));
  if (!reg || FAILED(reg())) throw std::runtime_error("cannot register the word-processor stand-in");
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  FLogPath = std::string(temp) + "wordstandin-" + std::to_string(GetCurrentProcessId()) + ".log";
  SetEnvironmentVariableA("WORDSTANDIN_LOG", FLogPath.c_str());
  ClearLog();
  FailAt("");
}

TWordStandIn::~TWordStandIn()
{
  auto unreg = reinterpret_cast<HRESULT(WINAPI*)()>(reinterpret_cast<void*>(GetProcAddress(FModule, "DllUnregisterServer")));
  if (unreg) unreg();
  SetEnvironmentVariableA("WORDSTANDIN_LOG", nullptr);
  SetEnvironmentVariableA("WORDSTANDIN_FAIL", nullptr);
  DeleteFileA(FLogPath.c_str());
  FreeLibrary(FModule);
}

std::string TWordStandIn::Log() const
{
  std::string text;
  if (FILE* f = std::fopen(FLogPath.c_str(), "rb")) {
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) text.append(buf, n);
    std::fclose(f);
  }
  return text;
}

void TWordStandIn::ClearLog() const { DeleteFileA(FLogPath.c_str()); }

void TWordStandIn::FailAt(const std::string& call) const
{
  SetEnvironmentVariableA("WORDSTANDIN_FAIL", call.empty() ? nullptr : call.c_str());
}
