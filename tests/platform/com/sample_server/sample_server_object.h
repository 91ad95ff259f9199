#pragma once

#include <thread>

#include "platform/com/com.h"
#include "sample_server_idl.h"

namespace tvx::com::sample {

// The one object of the sample local server: fires Tick events to its
// clients, from the calling thread or from a thread of its own.
class CSampleServer : public ComClass<CSampleServer>,
                      public DualInterface<ISampleServer>,
                      public SupportErrorInfo<ISampleServer>,
                      public ConnectionPointContainer {
public:
    static InterfaceTable Interfaces();

    void FinalRelease();

    STDMETHODIMP get_ProcessId(long* id) override;
    STDMETHODIMP FireNow(long code, long* delivered) override;
    STDMETHODIMP FireLater(long code, long count) override;
    STDMETHODIMP get_SinkCount(long* count) override;

private:
    void JoinTicker();

    ConnectionPoint events_{*this, DIID__ISampleServerEvents};
    CriticalSection ticker_lock_;
    std::thread ticker_;
};

}  // namespace tvx::com::sample
