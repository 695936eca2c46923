#pragma once

class PromptService;
struct LinkRequest;

// The unit acknowledges a WRITE with the checksum byte of its frame; the link delivers it as a
// reply of kind REQ_WRITEACK with one data byte and the checksum sent in the tag. Whoever owns
// the write compares the two.
namespace WriteAcknowledgement {

enum class Verdict { NotAnAcknowledgement, Matches, Mismatch };

Verdict judge(int count, const LinkRequest& request);

// Shows "Error: Received bad checksum on Seriel Port." (string 2601) for a mismatch; returns the
// verdict.
Verdict check(int count, const LinkRequest& request, PromptService& prompts);

} // namespace WriteAcknowledgement
