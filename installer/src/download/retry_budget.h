#pragma once

#include <curl/curl.h>

// The attempt budget of the libcurl downloaders: a transfer cut short
// (CURLE_PARTIAL_FILE) costs 1, any other failure 2.
class RetryBudget {
public:
    static constexpr int kAttempts = 12;

    explicit RetryBudget(int budget) : left(budget) {}

    // Charges one failed attempt; false when nothing is left.
    bool Charge(int result) {
        left -= result == CURLE_PARTIAL_FILE ? 1 : 2;
        return left > 0;
    }
    int Left() const { return left; }

private:
    int left;
};
