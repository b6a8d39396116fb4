#pragma once

#include "canvas/random_source.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

namespace test_support {

// What a scripted source hands out once its script is used up: one value for ever, the script
// again from its start, or a test failure.
struct RepeatScript {};
struct FailWhenUsedUp {};
using AfterScript = std::variant<double, RepeatScript, FailWhenUsedUp>;

// A random source that hands out the draws a test scripts. It counts draws and reseeds and logs
// them in order ('d' a draw, 'r' a reseed), so a test can check what a handler asked for.
class ScriptedRandom : public canvas::RandomSource {
  public:
    explicit ScriptedRandom(std::vector<double> script = {}, AfterScript after = 0.0)
        : script_(std::move(script)), after_(after) {}

    double next() override {
        ++drawCount;
        log += 'd';
        if (next_ < script_.size()) {
            return script_[next_++];
        }
        if (std::holds_alternative<RepeatScript>(after_)) {
            next_ = 0;
            return script_.empty() ? 0.0 : script_[next_++];
        }
        if (std::holds_alternative<FailWhenUsedUp>(after_)) {
            ADD_FAILURE() << "more draws than scripted";
            return 0.0;
        }
        return std::get<double>(after_);
    }
    void reseedFromClock() override {
        ++reseeds;
        log += 'r';
    }
    // One more draw at the end of the script.
    void push(double draw) { script_.push_back(draw); }

    int drawCount = 0;
    int reseeds = 0;
    std::string log;

  private:
    std::vector<double> script_;
    std::size_t next_ = 0;
    AfterScript after_;
};

} // namespace test_support
