#include "classlib/Exceptions.h"

#include <atomic>
#include <cstdio>
#include <new>

std::string SysErrorMessage(DWORD code)
{
  char* text = nullptr;
  DWORD len = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                 FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ARGUMENT_ARRAY,
                             nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string result;
  if (text) {
    result.assign(text, len);
    LocalFree(text);
  }
  while (!result.empty() && (result.back() == '\n' || result.back() == '\r' || result.back() == ' '))
    result.pop_back();
  return result;
}

void RaiseLastOSError() { RaiseLastOSError(GetLastError()); }

void RaiseLastOSError(DWORD code)
{
  if (code == 0)
    throw EOSError("A call to an OS function failed", 0);
  throw EOSError("System Error.  Code: " + std::to_string(code) + ".\r\n" + SysErrorMessage(code), code);
}

void Abort() { throw EAbort("Operation aborted"); }

namespace {
std::atomic<TExceptionHandler> GHandler{nullptr};
}

void RaiseReaderOutOfMemory(std::string_view what)
{
  throw EOutOfMemory("Out of memory while reading " + std::string(what));
}

TExceptionHandler SetExceptionHandler(TExceptionHandler handler) { return GHandler.exchange(handler); }

std::string ExceptionMessage(std::exception_ptr error)
{
  try {
    std::rethrow_exception(error);
  } catch (const EAbort&) {
    return {};
  } catch (const std::bad_alloc&) {
    return "Out of memory";
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return "Unknown exception";
  }
}

bool IsAbort(std::exception_ptr error)
{
  try {
    std::rethrow_exception(error);
  } catch (const EAbort&) {
    return true;
  } catch (...) {
    return false;
  }
}

void HandleException(std::exception_ptr error)
{
  if (!error || IsAbort(error))
    return;
  if (TExceptionHandler handler = GHandler.load()) {
    try {
      handler(error);
      return;
    } catch (...) {
      // A failing handler falls back to the plain report below.
    }
  }
  std::string text = ExceptionMessage(error);
  OutputDebugStringA(text.c_str());
  std::fprintf(stderr, "%s\n", text.c_str());
}
