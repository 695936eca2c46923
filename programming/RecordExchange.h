#pragma once

#include "resources/PromptService.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <optional>

class CUnitLink;
class ParameterSession;
class ParameterTable;

// One parameter record at a time with the unit, through the sessions the parameter dialogs use,
// each request waited for: a nested event loop runs until the session has the reply or its
// refusal, or until the reply's time limit has passed. The sessions' messages are kept rather
// than shown, so that whoever asked can say which record they concern.
class RecordExchange : private PromptService {
public:
    // The link and the table must outlive the exchange.
    RecordExchange(CUnitLink& link, ParameterTable& table);
    ~RecordExchange() override;

    std::optional<QByteArray> read(int slot);
    // True once the unit has acknowledged the write with its frame's checksum.
    bool write(int slot, const QByteArray& bytes);

    // Why the last call failed.
    const QString& errorText() const { return error_; }

private:
    PromptAnswer ask(const Prompt& prompt) override;

    ParameterSession& sessionFor(int slot);
    template <typename Done, typename Failed>
    bool await(ParameterSession& session, Done done, Failed failed, int length,
               const std::function<bool()>& start);
    QString linkErrorText() const;

    CUnitLink& link_;
    ParameterTable& table_;
    std::map<int, std::unique_ptr<ParameterSession>> sessions_;
    QString error_;
};
