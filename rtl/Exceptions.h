#pragma once
// Exception classes. Each carries a message (UTF-8); what() returns the same text. The classes
// with fixed texts are raised through the helpers below so the texts stay exact everywhere.
#include <exception>
#include <string>

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : m_message(std::move(message)) {}
    const std::string& Message() const { return m_message; }
    void SetMessage(std::string message) { m_message = std::move(message); }
    const char* what() const noexcept override { return m_message.c_str(); }

private:
    std::string m_message;
};

#define BRELVAN_EXCEPTION(Name, Base)                                                              \
    class Name : public Base {                                                                     \
    public:                                                                                        \
        using Base::Base;                                                                          \
    }

BRELVAN_EXCEPTION(EAbort, Exception); // silent: the default handler shows nothing
BRELVAN_EXCEPTION(EConvertError, Exception);
BRELVAN_EXCEPTION(EListError, Exception);
BRELVAN_EXCEPTION(EStringListError, EListError);
BRELVAN_EXCEPTION(EInvalidOperation, Exception);
BRELVAN_EXCEPTION(EInvalidPointer, Exception);
BRELVAN_EXCEPTION(EArgumentError, Exception);
BRELVAN_EXCEPTION(EComponentError, Exception);
BRELVAN_EXCEPTION(EOutOfResources, Exception);
BRELVAN_EXCEPTION(EOSError, Exception);
BRELVAN_EXCEPTION(EStreamError, Exception);
BRELVAN_EXCEPTION(EFileStreamError, EStreamError);
BRELVAN_EXCEPTION(EFOpenError, EFileStreamError);
BRELVAN_EXCEPTION(EFCreateError, EFileStreamError);
BRELVAN_EXCEPTION(EFilerError, EStreamError);
BRELVAN_EXCEPTION(EReadError, EFilerError);
BRELVAN_EXCEPTION(EWriteError, EFilerError);

#undef BRELVAN_EXCEPTION

// Raises EAbort (an exception that ends the current handler without a message box).
[[noreturn]] void Abort();

// EListError "List index out of bounds (%d)".
[[noreturn]] void ListIndexError(int index);
// Raises ListIndexError(index) unless 0 <= index < count.
inline void CheckListIndex(int index, int count) {
    if (index < 0 || index >= count) ListIndexError(index);
}

// EFOpenError "Cannot open file "%s". %s" / EFCreateError "Cannot create file "%s". %s", the
// second part being the system's text for errno `error` (strerror). The file name is shown
// as given, expanded to a full path when it is relative.
[[noreturn]] void FileOpenError(const std::string& fileName, int error);
[[noreturn]] void FileCreateError(const std::string& fileName, int error);

// EConvertError "'%s' is not a valid floating point value" / "... integer value".
[[noreturn]] void InvalidFloatError(const std::string& text);
[[noreturn]] void InvalidIntegerError(const std::string& text);
