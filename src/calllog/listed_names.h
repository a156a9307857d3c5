#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace dvx {

// The names of the listed records, in list order, kept small for a long log: while every name
// is a plain decimal number (as the program names its records) each takes four bytes; a name of
// any other form turns the list into texts.
class ListedNames {
public:
    void append(const QString& name);
    qsizetype size() const;
    bool isEmpty() const { return size() == 0; }
    // The last name; the list is not empty.
    QString last() const;
    // Where the name stands, counted from the first; -1 when it is not listed.
    qsizetype indexOf(const QString& name) const;

private:
    void turnIntoTexts();

    std::vector<std::uint32_t> numbers_;
    QStringList texts_;
    bool asTexts_ = false;
};

} // namespace dvx
