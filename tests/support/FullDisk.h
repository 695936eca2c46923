#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

// Gives the file at `path` the bytes `old`, then runs `replace` on a disk that fills up part
// way through: no file may grow more than a hundred bytes past the old size. The replacement
// must say that it failed and leave the file byte for byte as it was, with no other file
// left beside it. `replace` returns whether the replacement reported success.
void expectFullDiskKeepsFile(const QString& path, const QByteArray& old,
                             const std::function<bool()>& replace);
