#pragma once

#include <optional>
#include <string>
#include <utility>

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
    // The system's own text for the error, as strerror gives it.
    std::string message() const;

private:
    explicit Status(int error) : error_(error) {}
    int error_ = 0;
};

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
