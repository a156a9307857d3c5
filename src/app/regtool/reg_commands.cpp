#include "app/regtool/reg_commands.h"

#include "store/registry/regedit_import.h"
#include "store/registry/regedit_text.h"

#include <QFile>

namespace dvx {

namespace {

CommandResult Failure(const QString& message) {
    return {{}, message, 1};
}

} // namespace

QString CommandLineKey(const QString& key) {
    for (const QString& root : {QString(kRegeditRoot), QStringLiteral("HKLM")}) {
        if (key.compare(root, Qt::CaseInsensitive) == 0) {
            return {};
        }
        if (key.startsWith(root + QLatin1Char('\\'), Qt::CaseInsensitive)) {
            return key.mid(root.size() + 1);
        }
    }
    return key;
}

CommandResult ExportCommand(Hive& hive, const QString& key, const RegeditSink& output) {
    if (!ExportRegedit(hive, CommandLineKey(key), output)) {
        return Failure(QStringLiteral("cannot export: %1").arg(hive.lastError()));
    }
    return {};
}

CommandResult ImportCommand(Hive& hive, const QString& fileName) {
    QFile file(fileName);
    const bool opened = fileName == QStringLiteral("-") ? file.open(stdin, QIODevice::ReadOnly)
                                                        : file.open(QIODevice::ReadOnly);
    if (!opened) {
        return Failure(QStringLiteral("cannot read %1: %2").arg(fileName, file.errorString()));
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return Failure(QStringLiteral("cannot read %1: %2").arg(fileName, file.errorString()));
    }
    RegeditError error;
    if (!ImportRegedit(hive, bytes, error)) {
        const QString where =
            error.line > 0 ? QStringLiteral("%1, line %2").arg(fileName).arg(error.line) : fileName;
        return Failure(QStringLiteral("%1: %2; nothing was imported").arg(where, error.message));
    }
    return {};
}

CommandResult QueryKeyCommand(Hive& hive, const QString& key) {
    const QString path = CommandLineKey(key);
    QString stored;
    QList<NamedRegValue> values;
    QStringList subKeys;
    if (!hive.storedPath(path, stored) || !hive.listValues(path, values) ||
        !hive.listSubKeys(path, subKeys)) {
        return Failure(QStringLiteral("cannot query %1: %2").arg(key, hive.lastError()));
    }
    CommandResult result;
    result.output = RegeditSection(stored) + QLatin1Char('\n');
    for (const NamedRegValue& value : values) {
        result.output += RegeditValueLine(value) + QLatin1Char('\n');
    }
    for (const QString& subKey : subKeys) {
        result.output += subKey + QStringLiteral("\\\n");
    }
    return result;
}

CommandResult QueryValueCommand(Hive& hive, const QString& key, const QString& name) {
    RegValue value;
    if (hive.readValue(CommandLineKey(key), name, value) != Hive::Lookup::found) {
        return Failure(
            QStringLiteral("cannot query %1 \"%2\": %3").arg(key, name, hive.lastError()));
    }
    switch (value.type) {
    case RegValue::Type::dword:
        return {QString::number(value.dword) + QLatin1Char('\n'), {}, 0};
    case RegValue::Type::string:
        return {value.text + QLatin1Char('\n'), {}, 0};
    case RegValue::Type::other:
        break;
    }
    return Failure(QStringLiteral("the value \"%1\" has a type this tool cannot show").arg(name));
}

} // namespace dvx
