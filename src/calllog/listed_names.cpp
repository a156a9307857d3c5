#include "calllog/listed_names.h"

#include <algorithm>
#include <optional>

namespace dvx {

namespace {

// The number a name stands for when it is written as the program writes numbers: digits only,
// no leading zero, small enough for four bytes.
std::optional<std::uint32_t> PlainNumber(const QString& name) {
    constexpr qsizetype kMaxDigits = 9;
    if (name.isEmpty() || name.size() > kMaxDigits || (name.size() > 1 && name.front() == u'0'))
        return std::nullopt;
    std::uint32_t value = 0;
    for (const QChar c : name) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + std::uint32_t(c.unicode() - u'0');
    }
    return value;
}

} // namespace

void ListedNames::append(const QString& name) {
    if (!asTexts_) {
        if (const std::optional<std::uint32_t> number = PlainNumber(name)) {
            numbers_.push_back(*number);
            return;
        }
        turnIntoTexts();
    }
    texts_.append(name);
}

qsizetype ListedNames::size() const {
    return asTexts_ ? texts_.size() : qsizetype(numbers_.size());
}

QString ListedNames::last() const {
    return asTexts_ ? texts_.last() : QString::number(numbers_.back());
}

// The name looked for is mostly one of the last, so the search starts from the end.
qsizetype ListedNames::indexOf(const QString& name) const {
    if (asTexts_)
        return texts_.lastIndexOf(name);
    const std::optional<std::uint32_t> number = PlainNumber(name);
    if (!number)
        return -1;
    const auto found = std::find(numbers_.rbegin(), numbers_.rend(), *number);
    return found == numbers_.rend() ? -1 : qsizetype(numbers_.rend() - found) - 1;
}

void ListedNames::turnIntoTexts() {
    texts_.reserve(qsizetype(numbers_.size()) + 1);
    for (const std::uint32_t number : numbers_)
        texts_.append(QString::number(number));
    numbers_ = {};
    asTexts_ = true;
}

} // namespace dvx
