#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "model/Model.h"
#include "model/Sequence.h"

namespace qln {
namespace {

// A record that counts how often it was destroyed.
class Probe : public CModel {
public:
    explicit Probe(int* destroyed, CModel* parent = nullptr) : CModel(parent), destroyed_(destroyed) {}
    ~Probe() override { ++*destroyed_; }

private:
    int* destroyed_;
};

// ---- Ptr ----

TEST(PtrCount, NewObjectStartsAtZeroAndEachPtrCountsOnce) {
    int destroyed = 0;
    auto* raw = new Probe(&destroyed);
    EXPECT_EQ(raw->GetRefCount(), 0);
    {
        Ptr<Probe> a(raw);
        EXPECT_EQ(raw->GetRefCount(), 1);
        Ptr<Probe> b(a);
        EXPECT_EQ(raw->GetRefCount(), 2);
        Ptr<CModel> base(b);  // converting copy counts as well
        EXPECT_EQ(raw->GetRefCount(), 3);
        Ptr<Probe> moved(std::move(b));
        EXPECT_EQ(raw->GetRefCount(), 3);
        EXPECT_FALSE(b);
        EXPECT_EQ(moved.get(), raw);
    }
    EXPECT_EQ(destroyed, 1);
}

TEST(PtrCount, NullPtrsNeverTouchACount) {
    Ptr<Probe> empty;
    Ptr<Probe> copy(empty);
    Ptr<Probe> fromNull(static_cast<Probe*>(nullptr));
    EXPECT_FALSE(empty);
    EXPECT_FALSE(copy);
    EXPECT_FALSE(fromNull);
    copy = empty;
    EXPECT_EQ(copy.get(), nullptr);
}

TEST(PtrAssign, HeldPointerKeepsCountAndObjectEvenAtCountOne) {
    int destroyed = 0;
    Ptr<Probe> p(new Probe(&destroyed));
    ASSERT_EQ(p->GetRefCount(), 1);
    Probe* raw = p.get();

    p = raw;
    EXPECT_EQ(destroyed, 0);
    EXPECT_EQ(p.get(), raw);
    EXPECT_EQ(raw->GetRefCount(), 1);

    const Ptr<Probe>& same = p;
    p = same;
    EXPECT_EQ(destroyed, 0);
    EXPECT_EQ(raw->GetRefCount(), 1);

    Ptr<Probe>& alias = p;
    p = std::move(alias);
    EXPECT_EQ(destroyed, 0);
    EXPECT_EQ(p.get(), raw);
    EXPECT_EQ(raw->GetRefCount(), 1);
}

TEST(PtrAssign, AnotherPointerReleasesTheOldAndCountsTheNew) {
    int destroyedA = 0, destroyedB = 0;
    Ptr<Probe> p(new Probe(&destroyedA));
    Ptr<Probe> keepB(new Probe(&destroyedB));

    p = keepB.get();
    EXPECT_EQ(destroyedA, 1);
    EXPECT_EQ(keepB->GetRefCount(), 2);

    p = nullptr;
    EXPECT_EQ(keepB->GetRefCount(), 1);
    EXPECT_EQ(destroyedB, 0);

    int destroyedC = 0;
    Ptr<Probe> c(new Probe(&destroyedC));
    c = std::move(keepB);  // move assignment releases what c held
    EXPECT_EQ(destroyedC, 1);
    EXPECT_EQ(c->GetRefCount(), 1);
    EXPECT_FALSE(keepB);
    c = Ptr<Probe>();
    EXPECT_EQ(destroyedB, 1);
}

// The destructor hands out a Ptr to the object being destroyed; when that Ptr
// goes, it must neither recount nor delete the object again.
class SelfReferencing : public CModel {
public:
    SelfReferencing(int* destroyed, int32_t* countSeen) : destroyed_(destroyed), countSeen_(countSeen) {}
    ~SelfReferencing() override {
        ++*destroyed_;
        { Ptr<SelfReferencing> temporary(this); }
        *countSeen_ = GetRefCount();
    }

private:
    int* destroyed_;
    int32_t* countSeen_;
};

TEST(PtrDestruction, PtrToObjectBeingDestroyedDoesNotDeleteItAgain) {
    int destroyed = 0;
    int32_t countSeen = 0;
    { Ptr<SelfReferencing> p(new SelfReferencing(&destroyed, &countSeen)); }
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(countSeen, CRefCount::kDestroying);
    EXPECT_EQ(static_cast<uint32_t>(countSeen), 0xAAAAAAAAu);
}

// A cycle closed during destruction: the owner hands itself to its child,
// whose Ptr back to the owner is released while the owner's members go.
class CycleChild : public CModel {
public:
    explicit CycleChild(int* destroyed) : destroyed_(destroyed) {}
    ~CycleChild() override { ++*destroyed_; }
    Ptr<CModel> owner;

private:
    int* destroyed_;
};

class CycleOwner : public CModel {
public:
    CycleOwner(int* ownerDestroyed, int* childDestroyed)
        : child(new CycleChild(childDestroyed)), destroyed_(ownerDestroyed) {}
    ~CycleOwner() override {
        ++*destroyed_;
        child->owner = this;
    }
    Ptr<CycleChild> child;

private:
    int* destroyed_;
};

TEST(PtrDestruction, BackReferenceThroughCycleReleasedDuringDestruction) {
    int ownerDestroyed = 0, childDestroyed = 0;
    { Ptr<CycleOwner> p(new CycleOwner(&ownerDestroyed, &childDestroyed)); }
    EXPECT_EQ(ownerDestroyed, 1);
    EXPECT_EQ(childDestroyed, 1);
}

TEST(PtrDestruction, MemberPtrToItselfIsReleasedOnce) {
    int destroyed = 0;
    struct Self : Probe {
        using Probe::Probe;
        Ptr<Self> self;
    };
    auto* raw = new Self(&destroyed);
    {
        Ptr<Self> outer(raw);
        raw->self = raw;
        EXPECT_EQ(raw->GetRefCount(), 2);
    }
    // Only the object's own Ptr holds it now; dropping that frees it.
    EXPECT_EQ(raw->GetRefCount(), 1);
    raw->self = nullptr;
    EXPECT_EQ(destroyed, 1);
}

// ---- CArray ----

TEST(CArrayOfPtr, RemovingAndClearingReleaseTheirReferences) {
    int destroyed[3] = {0, 0, 0};
    CArray<Ptr<Probe>> list;
    for (int& d : destroyed) list.Add(Ptr<Probe>(new Probe(&d)));
    ASSERT_EQ(list.GetSize(), 3);

    Ptr<Probe> kept = list[1];
    EXPECT_EQ(kept->GetRefCount(), 2);
    list.RemoveAt(1);
    EXPECT_EQ(destroyed[1], 0);
    EXPECT_EQ(kept->GetRefCount(), 1);

    list.RemoveAt(0);
    EXPECT_EQ(destroyed[0], 1);
    list.RemoveAll();
    EXPECT_EQ(destroyed[2], 1);
    EXPECT_TRUE(list.IsEmpty());
}

TEST(CArrayOfPtr, InsertAtKeepsOrderAndAcceptsTheEnd) {
    int destroyed = 0;
    CArray<Ptr<Probe>> list;
    Ptr<Probe> a(new Probe(&destroyed)), b(new Probe(&destroyed)), c(new Probe(&destroyed));
    list.InsertAt(0, b);
    list.InsertAt(0, a);
    list.InsertAt(2, c);
    ASSERT_EQ(list.GetSize(), 3);
    EXPECT_EQ(list[0], a);
    EXPECT_EQ(list[1], b);
    EXPECT_EQ(list[2], c);
}

TEST(CArrayOfPtr, OutOfRangeThrowsInvalidArgument) {
    int destroyed = 0;
    CArray<Ptr<Probe>> list;
    EXPECT_THROW(list[0], std::invalid_argument);
    list.Add(Ptr<Probe>(new Probe(&destroyed)));
    const CArray<Ptr<Probe>>& constList = list;
    EXPECT_NO_THROW(list[0]);
    EXPECT_THROW(list[1], std::invalid_argument);
    EXPECT_THROW(list[-1], std::invalid_argument);
    EXPECT_THROW(constList[1], std::invalid_argument);
    EXPECT_THROW(list.RemoveAt(1), std::invalid_argument);
    EXPECT_THROW(list.RemoveAt(-1), std::invalid_argument);
    EXPECT_THROW(list.InsertAt(2, Ptr<Probe>()), std::invalid_argument);
    EXPECT_THROW(list.InsertAt(-1, Ptr<Probe>()), std::invalid_argument);
    EXPECT_EQ(list.GetSize(), 1);
    EXPECT_EQ(destroyed, 0);
}

// ---- CModel ----

TEST(ModelCopy, KeepsParentButNeitherMessagesNorCount) {
    int destroyed = 0;
    Probe parent(&destroyed);
    Ptr<CModel> original(new CModel(&parent));
    original->GetMessages().push_back("a message");
    original->GetSecondMessages().push_back("a warning");

    CModel copy(*original);
    EXPECT_EQ(copy.GetParent(), &parent);
    EXPECT_TRUE(copy.GetMessages().empty());
    EXPECT_TRUE(copy.GetSecondMessages().empty());
    EXPECT_EQ(copy.GetRefCount(), 0);
    EXPECT_EQ(original->GetRefCount(), 1);
}

TEST(ModelDefaults, ValidateReturnsMessagesUnchangedAndPrefixIsEmpty) {
    CModel model;
    model.GetMessages().push_back("kept");
    EXPECT_EQ(model.Validate(3), StringList{"kept"});
    EXPECT_EQ(model.GetMessagePrefix(), "");
    EXPECT_EQ(model.GetParent(), nullptr);
}

TEST(RuntimeClass, SequenceKindsDeriveThroughTheirAbstractBases) {
    Ptr<CSequence> dna(new CDNASequence(nullptr, "s", "", ""));
    Ptr<CSequence> protein(new CProtein3Sequence(nullptr, "p", "", ""));
    EXPECT_TRUE(dna->IsKindOf(CBaseSequence::runtimeClass));
    EXPECT_TRUE(dna->IsKindOf(CSequence::runtimeClass));
    EXPECT_TRUE(dna->IsKindOf(CModel::runtimeClass));
    EXPECT_FALSE(dna->IsKindOf(CProteinSequence::runtimeClass));
    EXPECT_FALSE(dna->IsKindOf(CRNASequence::runtimeClass));
    EXPECT_TRUE(protein->IsKindOf(CProteinSequence::runtimeClass));
    EXPECT_FALSE(protein->IsKindOf(CBaseSequence::runtimeClass));
    EXPECT_EQ(dna->GetRuntimeClass().name, "CDNASequence");
    EXPECT_EQ(dna->GetRuntimeClass().schema, 1);
    // Abstract bases can't be made from a file.
    EXPECT_EQ(CSequence::runtimeClass.create, nullptr);
    EXPECT_EQ(CBaseSequence::runtimeClass.create, nullptr);
    EXPECT_EQ(CProteinSequence::runtimeClass.create, nullptr);
}

TEST(RowText, EmptyForRowZeroOtherwiseNumberColonSpace) {
    EXPECT_EQ(RowText(0), "");
    EXPECT_EQ(RowText(-1), "");
    EXPECT_EQ(RowText(1), "1: ");
    EXPECT_EQ(RowText(12), "12: ");
}

}  // namespace
}  // namespace qln
