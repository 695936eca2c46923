#include "tests/support/FullDisk.h"

#include "tests/support/FileSizeLimit.h"
#include "tests/support/TestFiles.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

std::string entriesBeside(const QString& path)
{
    return QFileInfo(path)
        .dir()
        .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System)
        .join(QLatin1Char(' '))
        .toStdString();
}

} // namespace

void expectFullDiskKeepsFile(const QString& path, const QByteArray& old,
                             const std::function<bool()>& replace)
{
    ASSERT_TRUE(putFileBytes(path, old)) << path.toStdString();
    const std::string before = entriesBeside(path);
    bool reportedSuccess = true;
    {
        const FileSizeLimit limit(old.size() + 100);
        reportedSuccess = replace();
    }
    EXPECT_FALSE(reportedSuccess) << "a write the disk refused was reported as done";
    EXPECT_EQ(fileBytes(path), old);
    EXPECT_EQ(entriesBeside(path), before);
}
