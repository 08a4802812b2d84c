#pragma once
// A statement made slow on purpose: while a SlowLike lives, every database the
// embedded engine opens gets a LIKE that spends `microsecondsPerRow` on each row
// it tests (then matches as SQLite's own LIKE does, letter case ignored), and
// counts its calls, so a test sees how far a statement got before it ended.
namespace bkl::test {

class SlowLike {
public:
    explicit SlowLike(int microsecondsPerRow);
    ~SlowLike();
    SlowLike(const SlowLike&) = delete;
    SlowLike& operator=(const SlowLike&) = delete;

    static int calls();
    static void resetCalls();
};

} // namespace bkl::test
