// TFormReceived: the Received-line inspector. It lists every relay of one
// message header with its address, class and host name, marks with "*" the
// relay the message's verdict judges and draws in red every relay whose
// class would make a message spam; its button adds the chosen relay's
// address to Skip. The grid is filled at the first idle moment of the
// modal show, with the progress window up while the relays are classified.
// One instance lives from VMC_OnStart to unload.
#pragma once

#include <memory>
#include <string>

#include "engine/relay_listing.h"

namespace quorn {

class TFormReceived {
 public:
  TFormReceived();
  ~TFormReceived();
  TFormReceived(const TFormReceived&) = delete;
  TFormReceived& operator=(const TFormReceived&) = delete;

  // The header to inspect, as the host delivered it.
  void SetHeader(const std::string& text);
  // Shows the window modally; returns when it is closed.
  void ShowModal();

 private:
  struct Window;
  std::unique_ptr<Window> window_;
};

extern std::unique_ptr<TFormReceived> FormReceived;

// The relays of the last fill, row r of the grid showing element r - 1;
// kept after the window closes until the next fill.
extern HopList ReceivedHops;

}  // namespace quorn
