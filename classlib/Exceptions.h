#pragma once
// Exception and the kinds of it that the class library raises. Messages are ANSI (code page 936).
#include <exception>
#include <new>
#include <stdexcept>
#include <string>
#include <string_view>
#include "classlib/Win.h"

class Exception : public std::exception {
public:
  explicit Exception(std::string message) : FMessage(std::move(message)) {}
  const std::string& Message() const { return FMessage; }
  void SetMessage(std::string message) { FMessage = std::move(message); }
  const char* what() const noexcept override { return FMessage.c_str(); }
  // The name of the exception's class, as an error report shows it.
  virtual const char* ClassName() const { return "Exception"; }

private:
  std::string FMessage;
};

#define CL_EXCEPTION(Name, Parent)                                   \
  class Name : public Parent {                                       \
  public:                                                            \
    using Parent::Parent;                                            \
    const char* ClassName() const override { return #Name; }         \
  }

CL_EXCEPTION(EAbort, Exception);           // silent: handlers do not show it
CL_EXCEPTION(EConvertError, Exception);
CL_EXCEPTION(EInvalidCast, Exception);
CL_EXCEPTION(EInvalidOperation, Exception);
CL_EXCEPTION(EInvalidPointer, Exception);
CL_EXCEPTION(EListError, Exception);
CL_EXCEPTION(EStringListError, EListError);
CL_EXCEPTION(EComponentError, Exception);
CL_EXCEPTION(EOutOfMemory, Exception);
CL_EXCEPTION(EOutOfResources, Exception);
CL_EXCEPTION(EStreamError, Exception);
CL_EXCEPTION(EFilerError, EStreamError);
CL_EXCEPTION(EReadError, EFilerError);
CL_EXCEPTION(EWriteError, EFilerError);
CL_EXCEPTION(EClassNotFound, EFilerError);
CL_EXCEPTION(EResNotFound, Exception);
CL_EXCEPTION(EThread, Exception);
CL_EXCEPTION(EVariantError, Exception);
CL_EXCEPTION(EVariantTypeCastError, EVariantError);
CL_EXCEPTION(EVariantInvalidArgError, EVariantError);
CL_EXCEPTION(EVariantBadIndexError, EVariantError);
CL_EXCEPTION(EVariantArrayCreateError, EVariantError);
CL_EXCEPTION(EVariantOverflowError, EVariantError);     // "Arithmetic overflow"
CL_EXCEPTION(EVariantInvalidOpError, EVariantError);    // "Invalid variant operation"
CL_EXCEPTION(EVariantBadVarTypeError, EVariantError);   // "Invalid variant type"
CL_EXCEPTION(EVariantNotAnArrayError, EVariantError);   // "Variant is not an array"

// An operating-system call failed: ErrorCode is the system's code, the message its text.
class EOSError : public Exception {
public:
  EOSError(std::string message, DWORD code) : Exception(std::move(message)), FErrorCode(code) {}
  DWORD ErrorCode() const { return FErrorCode; }
  const char* ClassName() const override { return "EOSError"; }

private:
  DWORD FErrorCode;
};

// Files that cannot be created or opened; the message names the file and the system's reason.
class EFCreateError : public EStreamError {
public:
  using EStreamError::EStreamError;
  const char* ClassName() const override { return "EFCreateError"; }
};
class EFOpenError : public EStreamError {
public:
  using EStreamError::EStreamError;
  const char* ClassName() const override { return "EFOpenError"; }
};

// Automation failures: the HRESULT and, for a server's own exception, its source.
class EOleError : public Exception {
public:
  using Exception::Exception;
  const char* ClassName() const override { return "EOleError"; }
};
class EOleSysError : public EOleError {
public:
  EOleSysError(std::string message, HRESULT code) : EOleError(std::move(message)), FErrorCode(code) {}
  HRESULT ErrorCode() const { return FErrorCode; }
  const char* ClassName() const override { return "EOleSysError"; }

private:
  HRESULT FErrorCode;
};
class EOleException : public EOleSysError {
public:
  EOleException(std::string message, HRESULT code, std::string source)
      : EOleSysError(std::move(message), code), FSource(std::move(source)) {}
  const std::string& Source() const { return FSource; }
  const char* ClassName() const override { return "EOleException"; }

private:
  std::string FSource;
};

// The system's text for an error code, without the trailing line break.
std::string SysErrorMessage(DWORD code);
// Raises EOSError for GetLastError() (or the given code): "System Error.  Code: 5.\r\n<text>".
[[noreturn]] void RaiseLastOSError();
[[noreturn]] void RaiseLastOSError(DWORD code);
// Raises EAbort, which handlers pass over without a message.
[[noreturn]] void Abort();

// Readers of outside data run their work through this: an allocation that cannot be made
// (std::bad_alloc, or a size beyond what a container can hold) becomes EOutOfMemory "Out of memory
// while reading <what>", so that no standard-library exception leaves a reader.
[[noreturn]] void RaiseReaderOutOfMemory(std::string_view what);
template <class F>
decltype(auto) GuardReaderMemory(std::string_view what, F&& body)
{
  try {
    return body();
  } catch (const std::bad_alloc&) {
    RaiseReaderOutOfMemory(what);
  } catch (const std::length_error&) {
    RaiseReaderOutOfMemory(what);
  }
}

// The application-level exception hook. Every Win32 callback, thread entry and COM method of the
// library catches what its code throws and hands it here instead of letting it cross the boundary.
// The application object installs a handler that shows the message; until then, and in tests
// without one, the message goes to the debugger output and standard error.
using TExceptionHandler = void (*)(std::exception_ptr error);
TExceptionHandler SetExceptionHandler(TExceptionHandler handler);
void HandleException(std::exception_ptr error);
// The message a handler shows for an exception (an EAbort gives an empty text).
std::string ExceptionMessage(std::exception_ptr error);
bool IsAbort(std::exception_ptr error);

// Runs body and hands any exception to HandleException: for use at callback boundaries.
template <class F>
void GuardCallback(F&& body) noexcept
{
  try {
    body();
  } catch (...) {
    HandleException(std::current_exception());
  }
}
