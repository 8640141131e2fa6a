// The one exception tree of the program and how failures are shown. Every message is a byte
// string in the ANSI code page (Shift-JIS); wide texts are UTF-16.
#pragma once

#include <cstdint>
#include <exception>
#include <memory>
#include <string>

using WideString = std::u16string;

// The runtime's base of all raised errors.
class Exception : public std::exception {
public:
  explicit Exception(std::string message = {}) : Message(std::move(message)) {}
  const char* what() const noexcept override { return Message.c_str(); }
  [[noreturn]] virtual void Raise() const { throw *this; }

  std::string Message;
  int HelpContext = 0;
};

// The user cancelled; nobody reports it.
class EAbort : public Exception {
public:
  explicit EAbort(std::string message = "Operation aborted") : Exception(std::move(message)) {}
  [[noreturn]] void Raise() const override { throw *this; }
};

class ELuException : public Exception {
public:
  using Exception::Exception;
  virtual std::unique_ptr<ELuException> Clone() const = 0;
};

class ELuError : public ELuException {
public:
  explicit ELuError(std::string text);                      // Create
  ELuError(std::string text, std::string detail);           // CreateDetail
  static ELuError CreateWide(const WideString& text, const WideString& detail = {});
  std::unique_ptr<ELuException> Clone() const override;
  [[noreturn]] void Raise() const override { throw *this; }

  std::string Text;
  std::string Detail;
  WideString WideText;
  WideString WideDetail;
  bool IsWide = false;

protected:
  ELuError() = default;
  void InitDetail(std::string text, std::string detail);
  void InitWide(const WideString& text, const WideString& detail);
};

class ELuInternal : public ELuError {
public:
  explicit ELuInternal(std::string detail = {});
  std::unique_ptr<ELuException> Clone() const override;
  [[noreturn]] void Raise() const override { throw *this; }
};

class ELastError : public ELuError {
public:
  ELastError(std::uint32_t code, std::string text);         // Create
  static ELastError CreateWide(std::uint32_t code, const WideString& text);
  std::unique_ptr<ELuException> Clone() const override;
  [[noreturn]] void Raise() const override { throw *this; }

  std::uint32_t ErrorCode = 0;
  std::string CallerText;
  WideString WideCallerText;

private:
  ELastError() = default;
};

// Malformed data. Its clone is a plain ELuError.
class EGTData : public ELuError {
public:
  using ELuError::ELuError;
  static EGTData CreateWide(const WideString& text, const WideString& detail = {});
  [[noreturn]] void Raise() const override { throw *this; }

private:
  EGTData() = default;
};

class ELuInput : public ELuError {
public:
  using ELuError::ELuError;
  std::unique_ptr<ELuException> Clone() const override;
  [[noreturn]] void Raise() const override { throw *this; }
};

// The system's text for a Win32 error code: fixed table, then the system's message table,
// trailing blanks and periods stripped, then the "システムエラー" fallbacks.
std::string SystemErrorText(std::uint32_t code);

// Conversions through the ANSI code page; an empty input gives an empty output without a call.
WideString AnsiToWide(const std::string& s);
std::string WideToAnsi(const WideString& s);

// Shows an exception to the user. Process-wide and replaceable; never absent once the base
// library has started.
using TReportException = void (*)(const Exception& e);
extern TReportException ReportException;
void DefaultReportException(const Exception& e);

// Clean-up that may run while another exception travels only reports its own failure.
template <class E>
void RaiseOrReport(bool raise, const E& e) {
  if (raise) throw e;
  ReportException(e);
}
