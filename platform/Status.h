#pragma once

#include <optional>
#include <string>
#include <utility>

#include "platform/MessageText.h"

namespace nameshift::platform {

// The outcomes the program tells apart when a file operation fails.
enum class ErrorKind { None, Exists, DiskFull, Busy, Other };

// The outcome of one file-system operation: success, or the errno it failed with.
class Status {
public:
    Status() = default;
    static Status fromErrno(int error) { return Status(error); }

    bool ok() const { return error_ == 0; }
    int error() const { return error_; }
    ErrorKind kind() const;
    // The same failure, from a network share (or another FUSE filesystem): there an EPERM is the
    // share's answer that it does not do what was asked, not a lack of the user's permission.
    Status onShare() const {
        Status status = *this;
        status.share_ = true;
        return status;
    }
    // The system's own text for the error, as strerror gives it; for a share's EPERM, that the
    // share does not support it.
    std::string message() const;
    // The same text as a message part, so that the dialogs can translate the share's.
    MessageText reason() const;

private:
    explicit Status(int error) : error_(error) {}
    bool unsupportedByShare() const;

    int error_ = 0;
    bool share_ = false;
};

inline constexpr const char* kUnsupportedByShare =
    NS_MESSAGE("Message", "not supported by this share");

// A value, or the status that explains why there is none.
template <typename T>
class Result {
public:
    Result(T value) : value_(std::move(value)) {}  // NOLINT(google-explicit-constructor)
    Result(Status status) : status_(status) {}     // NOLINT(google-explicit-constructor)

    bool ok() const { return value_.has_value(); }
    const Status& status() const { return status_; }
    const T& value() const { return *value_; }
    T& value() { return *value_; }
    const T& operator*() const { return *value_; }
    const T* operator->() const { return &*value_; }

private:
    std::optional<T> value_;
    Status status_;
};

}  // namespace nameshift::platform
