// One interactive run at a time. A reverse lookup dispatches window messages
// while it waits, and so does a message box, so the host can call a command
// handler in the middle of another command's run (or of the inspector's
// fill). The engine is not re-entrant, and a nested run would rearrange the
// host's selection and the shared progress window under the running one: a
// handler takes a CommandGuard first and returns at once when it does not
// hold it. The guard is held until the run's last box is closed.
#pragma once

namespace quorn {

class CommandGuard {
 public:
  CommandGuard() noexcept : held_(!running_) { running_ = true; }
  ~CommandGuard() {
    if (held_) running_ = false;
  }
  CommandGuard(const CommandGuard&) = delete;
  CommandGuard& operator=(const CommandGuard&) = delete;

  // Whether this guard started the run; false inside another run.
  bool Held() const noexcept { return held_; }
  static bool Running() noexcept { return running_; }

 private:
  static inline bool running_ = false;
  bool held_;
};

}  // namespace quorn
