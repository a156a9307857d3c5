// dorvantix-reg: the hive's command-line tool.
#include "app/regtool/reg_commands.h"
#include "store/registry/default_hive_path.h"
#include "store/registry/hive.h"

#include <QCommandLineParser>
#include <QStringList>
#include <cstdio>

using namespace dvx;

namespace {

constexpr const char* kHelp = R"(Usage: dorvantix-reg [--hive FILE] COMMAND [ARGUMENTS]

Reads and changes the Dorvantix hive, the registry in which Dorvantix keeps its settings and its
session log, in the REGEDIT4 text form.

Commands:
  export [KEY]        Writes KEY and everything below it (the whole hive without KEY) to
                      standard output as REGEDIT4 text.
  import FILE         Applies a REGEDIT4 file ("-" reads standard input), all of it or, when
                      any line is wrong, nothing.
  query KEY           Prints the key's values as REGEDIT4 lines, then the names of its direct
                      subkeys, one a line, each followed by "\".
  query KEY VALUE     Prints one value: a string as its text, a DWORD as a decimal number.
  --help              Shows this text.

Options (anywhere on the line):
  --hive FILE         Uses FILE as the hive. Without it the hive is the file named by the
                      environment variable DORVANTIX_HIVE, else
                      $XDG_DATA_HOME/dorvantix/hive.db (~/.local/share/dorvantix/hive.db).

KEY is a path of key names separated by "\", with or without the leading
"HKEY_LOCAL_MACHINE\", for example "Software\Ostravane\Dorvantix". Names are compared
without regard to case. Quote the path in the shell.

REGEDIT4 text, as export writes it and import reads it:
  REGEDIT4

  [HKEY_LOCAL_MACHINE\Software\Ostravane\Dorvantix]
  "OffPeakStart"="18:00:00"
  "PeakPerSecond"=dword:0000002a

  [-HKEY_LOCAL_MACHINE\Software\Ostravane\Dorvantix\Sessions]
A section [KEY] creates the key; [-KEY] deletes it with all below it. A value line is
"name"="text" (inside the quotes \\ stands for a backslash, \" for a quote, \n and \r for line
breaks), "name"=dword:HEX (one to eight hexadecimal digits of the 32 bits: ffffffff is -1), or
"name"=- to delete the value; @ in place of "name" is the key's unnamed value. Blank lines and
lines starting with ";" are skipped.
Keys go at most 512 levels deep, names have at most 255 characters, values at most 1 MB
(in UTF-8), and a quoted text holds no NUL character: import refuses a file beyond these.

The tool may run while Dorvantix runs: both use the hive safely at the same time. A running
Dorvantix keeps its settings in memory, so seed settings before starting it.

Exit status: 0 on success, 1 when the command failed (the reason is printed, for import with
the line number), 2 for a wrong command line.
)";

void Print(FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
}

int UsageError(const QString& message) {
    Print(stderr, QStringLiteral("dorvantix-reg: %1\nTry 'dorvantix-reg --help'.\n").arg(message));
    return 2;
}

CommandResult Run(Hive& hive, const QStringList& args) {
    const QString& command = args[0];
    if (command == QStringLiteral("export") && args.size() <= 2) {
        return ExportCommand(hive, args.value(1), [](const QString& text) { Print(stdout, text); });
    }
    if (command == QStringLiteral("import") && args.size() == 2) {
        return ImportCommand(hive, args[1]);
    }
    if (command == QStringLiteral("query") && args.size() == 2) {
        return QueryKeyCommand(hive, args[1]);
    }
    if (command == QStringLiteral("query") && args.size() == 3) {
        return QueryValueCommand(hive, args[1], args[2]);
    }
    return {{}, {}, 2};
}

} // namespace

int main(int argc, char** argv) {
    QStringList args{QStringLiteral("dorvantix-reg")};
    for (int i = 1; i < argc; ++i) {
        args.append(QString::fromLocal8Bit(argv[i]));
    }
    // Options may stand anywhere on the line; a lone "-" is standard input, not an option.
    QCommandLineParser parser;
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Shows the help."));
    const QCommandLineOption hive(QStringLiteral("hive"), QStringLiteral("The hive file."),
                                  QStringLiteral("FILE"));
    parser.addOptions({help, hive});
    if (!parser.parse(args)) {
        return UsageError(parser.errorText());
    }
    if (parser.isSet(help)) {
        Print(stdout, QString::fromUtf8(kHelp));
        return 0;
    }
    if (parser.isSet(hive) && parser.value(hive).isEmpty()) {
        return UsageError(QStringLiteral("--hive needs a file name"));
    }
    const QStringList command = parser.positionalArguments();
    if (command.isEmpty()) {
        return UsageError(QStringLiteral("no command given"));
    }
    Hive file(parser.isSet(hive) ? parser.value(hive) : DefaultHivePath());
    const CommandResult result = Run(file, command);
    if (result.status == 2) {
        return UsageError(
            QStringLiteral("cannot understand \"%1\"").arg(command.join(QLatin1Char(' '))));
    }
    Print(stdout, result.output);
    if (!result.error.isEmpty()) {
        Print(stderr, QStringLiteral("dorvantix-reg: %1\n").arg(result.error));
    }
    return result.status;
}
