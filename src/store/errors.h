#pragma once

#include <QString>

#include <stdexcept>

// Errors that abandon an operation and reach the window's general error box.
// Each carries the Slovak text the user sees.
class VolbyError : public std::runtime_error {
public:
    explicit VolbyError(const QString &message) : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

// A table file that cannot be opened, read or written, or an operation in the wrong state.
class StorageError : public VolbyError {
public:
    explicit StorageError(const QString &message, int code = 0) : VolbyError(message), m_code(code) {}
    // The system's error number when a file call failed, else 0.
    int code() const { return m_code; }

private:
    int m_code = 0;
};

// Another program holds the data folder.
class AlreadyRunning : public StorageError {
public:
    using StorageError::StorageError;
};

// A text read as an integer that is empty or not a decimal number.
class ConversionError : public VolbyError {
public:
    using VolbyError::VolbyError;
};

// Signed 32-bit arithmetic left its range.
class OverflowError : public VolbyError {
public:
    using VolbyError::VolbyError;
};

// A file outside the tables (exchange or code-list file) could not be read or written.
class InputOutputError : public VolbyError {
public:
    using VolbyError::VolbyError;
};
