#pragma once

namespace fondex::platform {

// The system's requests to end the program as at the end of the session, to be watched by the
// event loop: its descriptor becomes readable when one arrives.
class SessionEndRequests {
 public:
  virtual ~SessionEndRequests() = default;
  virtual int Descriptor() const = 0;
  // Takes the requests that have arrived, so that the descriptor is quiet until the next one.
  virtual void Acknowledge() = 0;
};

}  // namespace fondex::platform
