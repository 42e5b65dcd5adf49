#include "plat/CallbackLink.h"
#include "plat/MBuf.h"
#include "plat/SecureString.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

using Bytes = plat::MBuf<unsigned char>;

Bytes filled(int count, unsigned char value, bool wipe) {
    Bytes b(count);
    std::memset(b.data(), value, size_t(count));
    b.setWipe(wipe);
    return b;
}

TEST(MBuf, ZeroedSecretConstructor) {
    Bytes key(32);
    EXPECT_TRUE(key.wipe());
    EXPECT_EQ(key.size(), 32);
    for (int i = 0; i < key.size(); ++i)
        EXPECT_EQ(key[i], 0);
    Bytes none(0);
    EXPECT_EQ(none.data(), nullptr);
}

TEST(MBuf, AssignReusesSmallOrMostlyUsedStorage) {
    Bytes source = filled(10, 0x11, false);

    // 100 elements (below 128): reused, and the tail beyond the new count is wiped.
    Bytes small = filled(100, 0xEE, true);
    const unsigned char* before = small.data();
    small.assign(source);
    EXPECT_EQ(small.data(), before);
    EXPECT_EQ(small.size(), 10);
    EXPECT_EQ(small[0], 0x11);
    for (int i = 10; i < 100; ++i)
        ASSERT_EQ(before[i], 0) << i;

    // 200 elements: 10 is below half, so the storage is replaced.
    Bytes large = filled(200, 0xEE, true);
    before = large.data();
    large.assign(source);
    EXPECT_NE(large.data(), before);
    EXPECT_EQ(large.size(), 10);
    EXPECT_EQ(large[9], 0x11);

    // 100 of 150 is at least half: reused.
    Bytes half = filled(150, 0xEE, true);
    before = half.data();
    Bytes hundred = filled(100, 0x22, false);
    half.assign(hundred);
    EXPECT_EQ(half.data(), before);
    EXPECT_EQ(half.size(), 100);

    // The minimum count wins over a shorter source; assigning empty frees.
    Bytes grown;
    grown.assign(source, 16);
    EXPECT_EQ(grown.size(), 16);
    EXPECT_EQ(grown[3], 0x11);
    grown.assign(Bytes());
    EXPECT_EQ(grown.size(), 0);
    EXPECT_EQ(grown.data(), nullptr);

    // Assigning part of itself.
    Bytes self = filled(8, 0, false);
    for (int i = 0; i < 8; ++i)
        self[i] = static_cast<unsigned char>(i);
    self.assign(self.data() + 4, 4);
    EXPECT_EQ(self.size(), 4);
    EXPECT_EQ(self[0], 4);
    EXPECT_EQ(self[3], 7);
}

TEST(MBuf, MovingKeepsTheWipeFlag) {
    Bytes secret = filled(4, 0x33, true);
    Bytes plain = filled(4, 0x44, false);
    plain = std::move(secret);
    EXPECT_TRUE(plain.wipe());
    Bytes target = filled(4, 0x55, true);
    target = filled(2, 0x66, false);
    EXPECT_TRUE(target.wipe());  // a buffer that held a secret keeps wiping
    target.truncate(1);
    EXPECT_EQ(target.size(), 1);

    plat::MBuf<unsigned int> words(3);
    EXPECT_EQ(words.size(), 3);
    EXPECT_EQ(words[2], 0u);
}

TEST(SecureString, AssignFromItsOwnText) {
    plat::SecureString s("password");
    s.assign(s.get() + 4);
    EXPECT_STREQ(s.get(), "word");
    s.assign(s.get(), 2);
    EXPECT_STREQ(s.get(), "wo");
    s.assign(nullptr);
    EXPECT_EQ(s.get(), nullptr);
    EXPECT_STREQ(s.c_str(), "");
}

struct Counted {
    explicit Counted(std::vector<int>* deleted, int id) : deleted_(deleted), id_(id) {}
    virtual ~Counted() { deleted_->push_back(id_); }
    std::vector<int>* deleted_;
    int id_;
};

struct DerivedCounted : Counted {
    using Counted::Counted;
};

TEST(CallbackLink, TheLastHolderDeletesOnce) {
    std::vector<int> deleted;
    {
        plat::CallbackLink<Counted> a(new DerivedCounted(&deleted, 1));
        {
            plat::CallbackLink<Counted> b(a);
            plat::CallbackLink<Counted> c;
            c = b;
            EXPECT_FALSE(a.alone());
            EXPECT_EQ(c.get(), a.get());
            b.reset();  // leaves the ring: nothing deleted, b empty and alone
            EXPECT_TRUE(b.alone());
            EXPECT_EQ(b.get(), nullptr);
            EXPECT_TRUE(deleted.empty());
        }
        EXPECT_TRUE(a.alone());
        EXPECT_TRUE(deleted.empty());
        plat::CallbackLink<Counted> other(new Counted(&deleted, 2));
        other = a;  // other's object had one holder: deleted now
        EXPECT_EQ(deleted, std::vector<int>{2});
        a.reset(new Counted(&deleted, 3));
        EXPECT_EQ(deleted, std::vector<int>{2});  // object 1 still held by other
    }
    EXPECT_EQ(deleted.size(), 3u);
    EXPECT_EQ(deleted[0], 2);
}

TEST(CallbackLink, SelfAssignmentKeepsTheObject) {
    std::vector<int> deleted;
    plat::CallbackLink<Counted> a(new Counted(&deleted, 1));
    plat::CallbackLink<Counted>& alias = a;
    a = alias;
    EXPECT_TRUE(deleted.empty());
    EXPECT_NE(a.get(), nullptr);
}

}  // namespace
