#pragma once

#include <vector>

#include "platform/com/com.h"
#include "sample_inproc_idl.h"

namespace tvx::com::sample {

// Adds numbers and remembers the sums; may be aggregated.
class CSampleCalc : public ComClass<CSampleCalc>,
                    public DualInterface<ISampleCalc>,
                    public SupportErrorInfo<ISampleCalc> {
public:
    static InterfaceTable Interfaces();
    static constexpr bool kAggregatable = true;

    STDMETHODIMP Add(long a, long b, long* sum) override;
    STDMETHODIMP get_Name(BSTR* name) override;
    STDMETHODIMP put_Name(BSTR name) override;
    STDMETHODIMP Fail(BSTR description) override;
    STDMETHODIMP get_Count(long* count) override;
    STDMETHODIMP get__NewEnum(IUnknown** sums) override;

private:
    CriticalSection lock_;
    Bstr name_;
    std::vector<long> sums_;
};

}  // namespace tvx::com::sample
