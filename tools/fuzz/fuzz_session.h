// A fuzz session: the plug-in with every adapter, hosted in process by the
// host simulator, driven by one fuzz input.
//
// An input is a list of sections separated by lines that hold exactly
// "----".  The first section is what the target aims at (see Lead).  Each
// later section is a page call when its first line is "call NAME [NTH]", an
// inbound event text after a first line "inbound", and otherwise, whole, a
// reply text.  The replies are queued first; then the calls and events run in
// order, and every Protocol2 request the plug-in sends takes the next reply
// (the empty reply once they are used up), whatever its method.
#ifndef SHIMWELL_TOOLS_FUZZ_FUZZ_SESSION_H_
#define SHIMWELL_TOOLS_FUZZ_FUZZ_SESSION_H_

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "tools/fuzz/sections.h"
#include "tools/hostsim/host.h"
#include "tools/hostsim/output_sink.h"

namespace fuzz {

// One registration of a page method.
struct MethodRef {
  std::string name;
  std::size_t nth;
};

// Collects the page methods the plug-in registers and drops every other line.
class RegistrationSink final : public hostsim::OutputSink {
 public:
  void WriteLine(const std::string& line) override;
  std::vector<MethodRef> methods;
};

class FuzzHost {
 public:
  // Loads every adapter and fires the start-up signals.
  FuzzHost();
  FuzzHost(const FuzzHost&) = delete;
  FuzzHost& operator=(const FuzzHost&) = delete;

  void QueueReply(std::string reply) { replies_.push_back(std::move(reply)); }

  // The method the header line "NAME [NTH]" names; a header that names no
  // registration still picks one, by a hash of its bytes, so that every
  // mutated header reaches some method.
  const MethodRef& Resolve(const std::string& header) const;

  // CheckParams with the method's own count, then Invoke.  "bad cast" may
  // leave a page method and is caught here; any other exception goes on to
  // the fuzzer as a finding.
  void CallPageMethod(const MethodRef& method, const std::string& call_text);

  // Hands the text to the inbound entry the plug-in installed.
  void Inbound(const std::string& text);

 private:
  const char* Answer(const char* request);
  void IgnoreReply(const char*) {}

  RegistrationSink sink_;
  hostsim::Host host_;
  std::deque<std::string> replies_;
  std::string last_reply_;
};

// What the first section of an input is.
enum class Lead {
  kCall,     // a page call: its first line is the header "NAME [NTH]", the rest the call text
  kInbound,  // an inbound event text, whole
};

// Runs one input through a fresh host.
void RunSession(const std::uint8_t* data, std::size_t size, Lead lead);

}  // namespace fuzz

#endif  // SHIMWELL_TOOLS_FUZZ_FUZZ_SESSION_H_
