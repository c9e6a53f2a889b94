#include "help/help_path.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace vantoriku {

QString helpFilePath() {
    return helpFilePathFor(QCoreApplication::applicationDirPath());
}

QString helpFilePathFor(const QString& programFolder) {
    const QDir folder(programFolder);
    QString besideProgram = folder.filePath(QString::fromLatin1(kHelpFileName));
    if (QFileInfo::exists(besideProgram)) {
        return besideProgram;
    }
    // Installed layout: <prefix>/bin/vantoriku and <prefix>/share/vantoriku/help.html,
    // found relative to the program so that a relocated prefix still works.
    const QString installed = folder.filePath(QStringLiteral(VANTORIKU_BIN_TO_DATA "/") +
                                              QString::fromLatin1(kHelpFileName));
    if (QFileInfo::exists(installed)) {
        return QDir::cleanPath(installed);
    }
    return besideProgram; // the viewer names this path when nothing is found
}

} // namespace vantoriku
