// Failure is the one error type of the program: a fixed number per kind of
// failure and a description. Commands throw it; the hand-off runner turns it
// into the standard error report ("エラー番号 : " number LF description).
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace kovrel {

/// The fixed failure numbers. A cancelled dialog is silent; every other kind
/// is reported with its number.
enum class FailureKind : int {
  kInvalidArgument = 5,
  kOverflow = 6,
  kOutOfMemory = 7,
  kIndexOutOfRange = 9,
  kDivisionByZero = 11,
  kFileNotFound = 53,
  kDiskFull = 61,
  kInputPastEnd = 62,
  kPermissionDenied = 70,
  kPathNotFound = 76,
  kInvalidValue = 380,
  kCancel = 32755,
};

class Failure : public std::runtime_error {
 public:
  Failure(int number, std::string description)
      : std::runtime_error(description),
        number_(number),
        description_(std::move(description)) {}

  int number() const { return number_; }
  const std::string& description() const { return description_; }
  bool IsCancel() const { return number_ == static_cast<int>(FailureKind::kCancel); }

 private:
  int number_;
  std::string description_;
};

/// The description of a failure kind, in the program's words.
std::string_view FailureText(FailureKind kind);

/// Builds the failure of `kind`; `detail` (a path, a value, a line) follows
/// the kind's own text after ": " when it is not empty.
Failure MakeFailure(FailureKind kind, std::string_view detail = {});

/// Throws MakeFailure(kind, detail).
[[noreturn]] void Fail(FailureKind kind, std::string_view detail = {});

/// Throws a failure of `kind` whose whole description is `description`.
[[noreturn]] void FailWithText(FailureKind kind, std::string description);

/// The standard error report: "エラー番号 : " + number + LF + description.
std::string ErrorReportText(const Failure& failure);

}  // namespace kovrel
