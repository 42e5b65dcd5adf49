#include "plat/CallbackLink.h"
#include "plat/MBuf.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <vector>

namespace {

using Bytes = plat::MBuf<unsigned char>;

Bytes filled(int count, unsigned char value, bool wipe) {
    Bytes b(count);
    std::memset(b.data(), value, size_t(count));
    b.setWipe(wipe);
    return b;
}

// A byte whose arrays the test allocates: each array freed is checked for what it still holds.
struct Secret {
    unsigned char value;
    static std::map<void*, size_t>& sizes() {
        static std::map<void*, size_t> live;
        return live;
    }
    static inline int leftoverFrees = 0;  // arrays freed with a byte other than 0
    static void* operator new[](size_t size) {
        void* p = ::operator new[](size);
        sizes()[p] = size;
        return p;
    }
    static void operator delete[](void* p) {
        if (!p) return;
        const unsigned char* bytes = static_cast<unsigned char*>(p);
        leftoverFrees += std::any_of(bytes, bytes + sizes()[p], [](unsigned char c) { return c; });
        sizes().erase(p);
        ::operator delete[](p);
    }
};

// A sized buffer starts zeroed and flagged. Ten elements into 100 reuse the storage (below 128)
// and wipe its tail; into 200 they take new storage (10 is below half of 200), and the old one
// is wiped before it is freed.
TEST(MBuf, AssignWipesTheStorageItNoLongerUses) {
    Secret source[10] = {{0x11}};
    for (int count : {100, 200}) {
        plat::MBuf<Secret> secret(count);
        EXPECT_TRUE(secret.wipe() && secret[0].value == 0 && secret[count - 1].value == 0);
        std::memset(secret.data(), 0xEE, size_t(count));
        const Secret* before = secret.data();
        Secret::leftoverFrees = 0;
        secret.assign(source, 10);
        EXPECT_EQ(secret.size(), 10);
        EXPECT_EQ(secret[0].value, 0x11);
        EXPECT_EQ(secret.data() == before, count == 100) << count;
        for (int i = 10; count == 100 && i < count; ++i)
            ASSERT_EQ(before[i].value, 0) << i;
        EXPECT_EQ(Secret::leftoverFrees, 0) << count;
    }
}

TEST(MBuf, AssignMinimumCountAndPartOfItself) {
    Bytes grown;
    grown.assign(filled(10, 0x11, false), 16);
    EXPECT_EQ(grown.size(), 16);
    EXPECT_EQ(grown[9], 0x11);
    for (int i = 0; i < 8; ++i)
        grown[i] = static_cast<unsigned char>(i);
    grown.assign(grown.data() + 4, 4);
    ASSERT_EQ(grown.size(), 4);
    EXPECT_EQ(grown[0], 4);
    EXPECT_EQ(grown[3], 7);
}

// A buffer that held a secret keeps wiping whatever it is given next.
TEST(MBuf, MovingKeepsTheWipeFlag) {
    Bytes plain = filled(4, 0x44, false);
    plain = filled(4, 0x33, true);
    EXPECT_TRUE(plain.wipe());
    Bytes target = filled(4, 0x55, true);
    target = filled(2, 0x66, false);
    EXPECT_TRUE(target.wipe());
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
        plat::CallbackLink<Counted>& alias = a;
        a = alias;
        EXPECT_EQ(deleted, std::vector<int>{2});  // self-assignment keeps the object
    }
    EXPECT_EQ(deleted.size(), 3u);
}

}  // namespace
