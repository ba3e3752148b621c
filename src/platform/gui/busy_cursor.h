#pragma once

namespace platform {

// The hourglass over the whole application for the lifetime of the object;
// the cursor before it comes back on every way out of the scope, errors
// included. Owners nest: each gives back exactly the cursor it covered.
class BusyCursor final {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};

// The normal arrow for the lifetime of the object while any hourglass is
// up: a message the user has to answer while a long job waits behind it.
// Without an hourglass it changes nothing.
class NormalCursor final {
public:
    NormalCursor();
    ~NormalCursor();
    NormalCursor(const NormalCursor &) = delete;
    NormalCursor &operator=(const NormalCursor &) = delete;

private:
    bool m_covered = false;
};

} // namespace platform
