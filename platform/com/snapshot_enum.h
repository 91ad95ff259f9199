#pragma once

#include <objbase.h>

#include <memory>
#include <vector>

#include "platform/com/critical_section.h"
#include "platform/com/object.h"

namespace tvx::com {

// Items copied once and shared by an enumerator and its clones. Policy
// copies an item out (taking what the caller must free) and frees one:
//     static HRESULT Copy(Item* to, const Item& from);
//     static void Destroy(Item* item);
template <class Item, class Policy>
class Snapshot {
public:
    Snapshot() = default;
    Snapshot(const Snapshot&) = delete;
    Snapshot& operator=(const Snapshot&) = delete;
    ~Snapshot()
    {
        for (Item& item : items_)
            Policy::Destroy(&item);
    }

    HRESULT Add(const Item& item)
    {
        Item copy;
        HRESULT hr = Policy::Copy(&copy, item);
        if (FAILED(hr))
            return hr;
        items_.push_back(copy);
        return S_OK;
    }
    std::size_t Size() const { return items_.size(); }
    const Item& operator[](std::size_t i) const { return items_[i]; }

private:
    std::vector<Item> items_;
};

// The IEnumXxx pattern (Next, Skip, Reset, Clone) over a snapshot: later
// changes of the source don't show, and clones share the items.
template <class IEnum, class Item, class Policy>
class SnapshotEnum : public ComClass<SnapshotEnum<IEnum, Item, Policy>>, public IEnum {
public:
    using Items = Snapshot<Item, Policy>;

    static InterfaceTable Interfaces()
    {
        static const InterfaceEntry entries[] = {
            ComClass<SnapshotEnum>::template Interface<IEnum>(),
        };
        return entries;
    }

    static HRESULT Create(std::shared_ptr<const Items> items, std::size_t position, IEnum** out)
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        ComPtr<ComObject<SnapshotEnum>> object;
        HRESULT hr = ComObject<SnapshotEnum>::Create(object);
        if (FAILED(hr))
            return hr;
        object->items_ = std::move(items);
        object->position_ = position;
        return object->QueryInterface(__uuidof(IEnum), reinterpret_cast<void**>(out));
    }

    STDMETHODIMP Next(ULONG count, Item* out, ULONG* fetched) override
    {
        if (fetched)
            *fetched = 0;
        if ((!out && count > 0) || (count > 1 && !fetched))
            return E_POINTER;
        ScopedLock hold(lock_);
        ULONG done = 0;
        while (done < count && position_ < items_->Size()) {
            HRESULT hr = Policy::Copy(&out[done], (*items_)[position_]);
            if (FAILED(hr)) {
                while (done > 0)
                    Policy::Destroy(&out[--done]);
                return hr;
            }
            ++done;
            ++position_;
        }
        if (fetched)
            *fetched = done;
        return done == count ? S_OK : S_FALSE;
    }

    STDMETHODIMP Skip(ULONG count) override
    {
        ScopedLock hold(lock_);
        std::size_t left = items_->Size() - position_;
        if (count > left) {
            position_ = items_->Size();
            return S_FALSE;
        }
        position_ += count;
        return S_OK;
    }

    STDMETHODIMP Reset() override
    {
        ScopedLock hold(lock_);
        position_ = 0;
        return S_OK;
    }

    STDMETHODIMP Clone(IEnum** out) override
    {
        std::size_t position;
        {
            ScopedLock hold(lock_);
            position = position_;
        }
        return Create(items_, position, out);
    }

private:
    CriticalSection lock_;
    std::shared_ptr<const Items> items_;
    std::size_t position_ = 0;
};

// Policy for interface pointers.
template <class I>
struct InterfaceCopyPolicy {
    static HRESULT Copy(I** to, I* const& from)
    {
        *to = from;
        if (from)
            from->AddRef();
        return S_OK;
    }
    static void Destroy(I** item)
    {
        if (*item)
            (*item)->Release();
        *item = nullptr;
    }
};

}  // namespace tvx::com
