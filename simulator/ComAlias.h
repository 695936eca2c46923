#pragma once

#include <QString>
#include <optional>

// A COM number for the simulator's serial line: a symbolic link named COM<n> in the program's
// folder of port aliases (the program matches the names in any case), pointing at the
// pseudo-terminal. The link is replaced if it exists and removed again when the alias goes.
class ComAlias {
public:
    static constexpr int MaxNumber = 255;

    ComAlias() = default;
    ComAlias(const ComAlias&) = delete;
    ComAlias& operator=(const ComAlias&) = delete;
    ~ComAlias();

    // The program's per-user folder of aliases: <generic data location>/Gorvane/ports.
    static QString defaultFolder();
    // "COM7", "com7" -> 7; nothing for anything else or a number outside 1..255.
    static std::optional<int> numberOf(const QString& name);

    bool create(const QString& folder, int number, const QString& target, QString* error);
    void remove();

private:
    static void removeSameNumber(const QString& folder, int number);

    QString linkPath_;
    QString target_;
};
