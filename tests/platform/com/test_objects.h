#pragma once

// Small COM classes built on the support library, shared by its tests.

#include <atomic>
#include <vector>

#include "platform/com/com.h"
#include "test_objects_idl.h"

namespace tvx::com::test {

// How many objects of a class exist, and how often the hooks ran.
struct Census {
    std::atomic<int> alive{0};
    std::atomic<int> final_constructs{0};
    std::atomic<int> final_releases{0};
    void Reset()
    {
        alive = 0;
        final_constructs = 0;
        final_releases = 0;
    }
};

// A dual interface with a property, an error path, an enumeration and an
// event.
class CCounter : public ComClass<CCounter>,
                 public DualInterface<ICounter>,
                 public SupportErrorInfo<ICounter>,
                 public ConnectionPointContainer {
public:
    static InterfaceTable Interfaces();
    static Census census;

    CCounter() { ++census.alive; }
    ~CCounter() override { --census.alive; }
    HRESULT FinalConstruct();
    void FinalRelease() { ++census.final_releases; }

    STDMETHODIMP Add(long amount) override;
    STDMETHODIMP get_Total(long* total) override;
    STDMETHODIMP get_Label(BSTR* label) override;
    STDMETHODIMP put_Label(BSTR label) override;
    STDMETHODIMP Fail(BSTR description) override;
    STDMETHODIMP get__NewEnum(IUnknown** items) override;

    ConnectionPoint& Events() { return events_; }

    // Makes the next FinalConstruct fail with this result.
    static HRESULT fail_construct;

private:
    CriticalSection lock_;
    long total_ = 0;
    std::vector<long> history_;
    Bstr label_;
    ConnectionPoint events_{*this, DIID__ICounterEvents};
};

// The inner object of the aggregation tests; allows aggregation.
class CInner : public ComClass<CInner>, public DualInterface<IInnerPart> {
public:
    static InterfaceTable Interfaces();
    static constexpr bool kAggregatable = true;
    static Census census;

    CInner() { ++census.alive; }
    ~CInner() override { --census.alive; }
    HRESULT FinalConstruct()
    {
        ++census.final_constructs;
        return S_OK;
    }
    void FinalRelease() { ++census.final_releases; }

    STDMETHODIMP InnerValue(long* value) override;
};

// An outer object that aggregates CInner and exposes its IInnerPart.
class COuter : public ComClass<COuter>, public DualInterface<IOuterPart> {
public:
    static InterfaceTable Interfaces();
    static Census census;

    COuter() { ++census.alive; }
    ~COuter() override { --census.alive; }
    HRESULT FinalConstruct();
    void FinalRelease();

    STDMETHODIMP OuterValue(long* value) override;

private:
    ComPtr<IUnknown> inner_;
};

// A class that does not allow aggregation (the default).
class CPlain : public ComClass<CPlain>, public DualInterface<IOuterPart> {
public:
    static InterfaceTable Interfaces();
    STDMETHODIMP OuterValue(long* value) override;
};

}  // namespace tvx::com::test
