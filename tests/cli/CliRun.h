#pragma once

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

// What one run of vemo-cli gave back.
struct CRun
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Runs vemo-cli in this process's environment with the given variables set on top, the input on
// its standard input.
inline CRun RunCli(const QStringList& args, const QByteArray& input = {},
                   const QProcessEnvironment& extra = {})
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(extra);
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(VEMO_CLI_PATH), args);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished();
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}
