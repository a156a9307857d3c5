#pragma once

#include <QString>
#include <cstdint>

namespace dvx {

// One value of a key: a DWORD (signed 32-bit) or a string. The type codes are those of the
// original registry and are what the hive stores.
struct RegValue {
    // other: a value this program neither writes nor reads (another type, or a DWORD whose
    // data does not fit 32 bits); readers treat it as a value of the wrong type.
    enum class Type { other = 0, string = 1, dword = 4 };

    Type type = Type::string;
    std::int32_t dword = 0;
    QString text;

    static RegValue ofDword(std::int32_t value) { return {Type::dword, value, {}}; }
    static RegValue ofString(QString value) { return {Type::string, 0, std::move(value)}; }
    bool isDword() const { return type == Type::dword; }
    friend bool operator==(const RegValue&, const RegValue&) = default;
};

// A value together with its name as stored (case preserved).
struct NamedRegValue {
    QString name;
    RegValue value;
    friend bool operator==(const NamedRegValue&, const NamedRegValue&) = default;
};

} // namespace dvx
