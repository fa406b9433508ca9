// LiveAdapterLink: how a companion adapter (playback, video analysis) holds
// the live-view adapter and its one entry in that adapter's inbound table.
//
// The entry points into the companion, so it must leave the table before the
// companion goes, and it may only stand in the table of the live-view adapter
// the companion still holds: one it let go of may outlive it.
#ifndef SHIMWELL_ADAPTERS_LIVE_LIVE_ADAPTER_LINK_H_
#define SHIMWELL_ADAPTERS_LIVE_LIVE_ADAPTER_LINK_H_

#include "adapters/live/shimwell.h"
#include "runtime/shared_ptr.h"

namespace Shimwell {

class LiveAdapterLink {
 public:
  LiveAdapterLink(const char* event_name, const InboundEventHandler& handler)
      : event_name_(event_name), handler_(handler) {}
  LiveAdapterLink(const LiveAdapterLink&) = delete;
  LiveAdapterLink& operator=(const LiveAdapterLink&) = delete;
  // The held live-view adapter is alive until after the entry has left.
  ~LiveAdapterLink() { Leave(); }

  // Holds `live` from now on; the entry leaves the table of a different
  // adapter held before.
  void Hold(const Foundation::CSharedPtr<CShimwell>& live) {
    if (live.get() != live_.get()) Leave();
    live_ = live;
  }

  // Adds the entry to the held adapter's table; a name already there keeps
  // its first handler.
  void Join() { AddInboundEventHandler(event_name_, live_.get(), handler_); }

  CShimwell* get() const { return live_.get(); }

 private:
  void Leave() { RemoveInboundEventHandler(event_name_, live_.get(), handler_); }

  const char* event_name_;
  InboundEventHandler handler_;
  Foundation::CSharedPtr<CShimwell> live_;
};

}  // namespace Shimwell

#endif  // SHIMWELL_ADAPTERS_LIVE_LIVE_ADAPTER_LINK_H_
