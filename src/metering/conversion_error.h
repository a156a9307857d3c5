#pragma once

#include <QString>
#include <exception>

namespace dvx {

// An error whose text is shown to the user as it stands by the program's general error handler.
class Error : public std::exception {
public:
    explicit Error(QString text) : text_(std::move(text)), utf8_(text_.toUtf8()) {}
    const QString& text() const { return text_; }
    const char* what() const noexcept override { return utf8_.constData(); }

private:
    QString text_;
    QByteArray utf8_;
};

// An error whose box says more below its text, such as which file it was and why the system
// refused it; the text itself is shown as it stands.
class DetailedError : public Error {
public:
    DetailedError(QString text, QString detail)
        : Error(std::move(text)), detail_(std::move(detail)) {}
    const QString& detail() const { return detail_; }

private:
    QString detail_;
};

// A text that cannot be read as the value it should hold.
class ConversionError : public Error {
public:
    using Error::Error;
};

// A value that does not fit the integer that must hold it.
class RangeError : public Error {
public:
    using Error::Error;
};

ConversionError invalidTime(const QString& text);
ConversionError invalidDateTime(const QString& text);
ConversionError invalidFloat(const QString& text);
ConversionError invalidInteger(const QString& text);
RangeError rangeCheckError();
RangeError integerOverflow();

} // namespace dvx
