// dorvantix-log: the session log and its billing periods for scripts and spreadsheets.
#include "app/logtool/log_command_line.h"
#include "app/logtool/log_commands.h"
#include "store/registry/default_hive_path.h"

#include <QDateTime>
#include <clocale>
#include <cstdio>

using namespace dvx;

namespace {

void Print(FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
}

// Names each line of the messages as this program's.
void PrintErrors(const QString& errors) {
    for (const QString& line : errors.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        Print(stderr, QStringLiteral("dorvantix-log: %1\n").arg(line));
}

} // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));
    const auto parsed = ParseLogCommandLine(args);
    if (const auto* message = std::get_if<QString>(&parsed)) {
        Print(stderr,
              QStringLiteral("dorvantix-log: %1\nTry 'dorvantix-log --help'.\n").arg(*message));
        return 2;
    }
    const LogRequest& request = std::get<LogRequest>(parsed);
    if (request.help) {
        Print(stdout, QString::fromUtf8(kLogToolHelp));
        return 0;
    }
    Hive hive(request.hive.isEmpty() ? DefaultHivePath() : request.hive, Hive::ReadOnly{});
    const LogCommandResult result = RunLogCommand(
        request, hive, RegionalSettings::fromProcessLocale(), QDateTime::currentDateTime());
    Print(stdout, result.output);
    PrintErrors(result.errors);
    return result.status;
}
