#include "InstallationChecks.h"

#include "ProgramFolder.h"

#include <QFileInfo>

const QList<InstallationCheck> &InstallationChecks()
{
    static const QList<InstallationCheck> checks = {
        {{QStringLiteral("\\IMG\\JB.jpg"), QStringLiteral("\\IMG\\Main.jpg"), QStringLiteral("\\IMG\\Sector5.jpg"),
          QStringLiteral("\\IMG\\Title.jpg"), QStringLiteral("\\IMG\\Set.jpg")},
         QStringLiteral("Graphic资源丢失！您可能从小网站下载了本软件。请重新下载本软件！")},
        {{QStringLiteral("\\使用说明书.pdf")},
         QStringLiteral("数据文件丢失！您可能从小网站下载了本软件。请重新下载本软件！")},
        {{QStringLiteral("\\Tessaview.exe")},
         QStringLiteral("相关组件丢失！您可能从小网站下载了本软件。请重新下载本软件！")},
        {{}, QStringLiteral("运行环境丢失！请重新下载本软件！")},
    };
    return checks;
}

std::optional<QString> FirstFailedInstallationCheck(const ProgramFolder &folder)
{
    for (const InstallationCheck &check : InstallationChecks()) {
        // Every file of a check is looked up; one missing is enough.
        bool allPresent = true;
        for (const QString &file : check.files)
            allPresent = IsPresentFile(folder.path(file)) && allPresent;
        if (!allPresent)
            return check.message;
    }
    return std::nullopt;
}

bool IsPresentFile(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() && !info.isHidden();
}
