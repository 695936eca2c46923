#include "programming/WriteAcknowledgement.h"

#include "link/LinkConstants.h"
#include "link/LinkRequest.h"
#include "resources/PromptService.h"

namespace WriteAcknowledgement {

namespace {

constexpr int BAD_ACKNOWLEDGEMENT = 2601;

} // namespace

Verdict judge(int count, const LinkRequest& request)
{
    if (request.kind != REQ_WRITEACK || count != 1 || request.data == nullptr)
        return Verdict::NotAnAcknowledgement;
    return request.data[0] == request.tag ? Verdict::Matches : Verdict::Mismatch;
}

Verdict check(int count, const LinkRequest& request, PromptService& prompts)
{
    const Verdict verdict = judge(count, request);
    if (verdict == Verdict::Mismatch)
        prompts.show(BAD_ACKNOWLEDGEMENT);
    return verdict;
}

} // namespace WriteAcknowledgement
