#pragma once

#include <algorithm>
#include <cstddef>
#include <span>
#include <type_traits>

#include "definition/seams.h"

namespace bw {

// What sets one of the definition's pools apart from the others.
template <typename Record>
struct PoolKind {
    int limit;
    const char* limitMessage;                  // shown when an add finds the pool full
    void (*fresh)(Record& record, int index);  // the record "New" makes at index
};

// One of the definition's fixed pools seen whole: its records, all there from
// the first reset on, and the count of those in use from index 0. It works on
// the definition's own records and count, so that every reader keeps the plain
// fields; a pool of const records reads only.
template <typename Record>
class RecordPool {
    using Plain = std::remove_const_t<Record>;
    using Count = std::conditional_t<std::is_const_v<Record>, const int, int>;

public:
    RecordPool(std::span<Record> records, Count& count, const PoolKind<Plain>& kind)
        : records_(records), count_(count), kind_(kind) {}

    // The records in use; a count out of range reads as the nearest bound.
    std::span<Record> used() const {
        return records_.first(static_cast<size_t>(std::clamp(count_, 0, limit())));
    }
    int limit() const { return std::min(kind_.limit, static_cast<int>(records_.size())); }

    // Every record as "New" makes it; the count is left alone.
    void renew() const {
        for (size_t i = 0; i < records_.size(); ++i) {
            kind_.fresh(records_[i], static_cast<int>(i));
        }
    }

    // The record at the count made fresh and taken into use. A full pool shows
    // its limit message and changes nothing (false).
    bool add(UserPrompts& prompts) const {
        if (count_ >= limit()) {
            prompts.showMessage(kind_.limitMessage, MessageIcon::Information);
            return false;
        }
        count_ = std::max(count_, 0);
        kind_.fresh(records_[static_cast<size_t>(count_)], count_);
        ++count_;
        return true;
    }

    // Every used record after index moves one place down, whole; the last
    // one keeps its content beyond the count. An index out of range does nothing.
    void remove(int index) const {
        const int count = static_cast<int>(used().size());
        if (index < 0 || index >= count) {
            return;
        }
        std::copy(records_.begin() + index + 1, records_.begin() + count, records_.begin() + index);
        count_ = count - 1;
    }

private:
    std::span<Record> records_;
    Count& count_;
    const PoolKind<Plain>& kind_;
};

}  // namespace bw
