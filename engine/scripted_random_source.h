#pragma once

#include "random_source.h"

#include <cstddef>
#include <vector>

// Replays a fixed list of values, over and over, and counts the draws.
class ScriptedRandomSource final : public RandomSource {
public:
    explicit ScriptedRandomSource(std::vector<float> values) : values_(std::move(values)) {}

    float draw() override {
        const float value = values_.empty() ? 0.0f : values_[draws_ % values_.size()];
        ++draws_;
        return value;
    }

    std::size_t draws() const { return draws_; }

private:
    std::vector<float> values_;
    std::size_t draws_ = 0;
};
