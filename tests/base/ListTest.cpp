#include "base/TList.h"
#include "base/dstring.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records its own destruction so tests can see who deleted what.
class Probe : public TElement {
public:
    Probe(int ident, std::vector<int>* deleted) : id(ident), deleted_(deleted) {}
    ~Probe() override { deleted_->push_back(id); }
    int id;

private:
    std::vector<int>* deleted_;
};

std::vector<int> Ids(const TList& list)
{
    std::vector<int> ids;
    for (TElement* e = list.First(); e; e = e->Next())
        ids.push_back(static_cast<Probe*>(e)->id);
    return ids;
}

// Walks backwards too, so broken prev links show up.
std::vector<int> IdsBackwards(const TList& list)
{
    std::vector<int> ids;
    for (TElement* e = list.Last(); e; e = e->Prev())
        ids.insert(ids.begin(), static_cast<Probe*>(e)->id);
    return ids;
}

struct Fixture : ::testing::Test {
    std::vector<int> deleted;
    TList list;
    void Fill(int n)
    {
        for (int i = 0; i < n; ++i)
            list.Append(new Probe(i, &deleted));
    }
};

}  // namespace

TEST(ElementTest, DataBufferIsOwnedAndReleased)
{
    TElement element;
    EXPECT_EQ(element.Data(), nullptr);
    EXPECT_EQ(element.DataLength(), 0u);
    element.AllocData(10);
    EXPECT_NE(element.Data(), nullptr);
    EXPECT_EQ(element.DataLength(), 10u);
    element.Release();
    EXPECT_EQ(element.Data(), nullptr);
    EXPECT_EQ(element.DataLength(), 0u);
}

TEST_F(Fixture, AppendLinksBothWaysAndCounts)
{
    EXPECT_EQ(list.Append(nullptr), 0);
    Fill(3);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(Ids(list), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(IdsBackwards(list), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(list.First()->Owner(), &list);
}

TEST_F(Fixture, AtAndIndexOfStayInRange)
{
    Fill(3);
    EXPECT_EQ(list.At(-1), nullptr);
    EXPECT_EQ(list.At(3), nullptr);  // the index equal to the count
    EXPECT_EQ(list.IndexOf(list.At(2)), 2);
    Probe stranger(9, &deleted);
    EXPECT_EQ(list.IndexOf(&stranger), -1);
    EXPECT_EQ(list.IndexOf(nullptr), -1);
}

TEST_F(Fixture, InsertAfterUpdatesEnds)
{
    Fill(2);
    list.InsertAfter(list.Last(), new Probe(7, &deleted));
    list.InsertAfter(list.First(), new Probe(8, &deleted));
    list.InsertAfter(nullptr, new Probe(9, &deleted));
    EXPECT_EQ(Ids(list), (std::vector<int>{9, 0, 8, 1, 7}));
    EXPECT_EQ(IdsBackwards(list), (std::vector<int>{9, 0, 8, 1, 7}));
}

TEST_F(Fixture, UnlinkHandsOwnershipBackRemoveDeletes)
{
    Fill(3);
    TElement* middle = list.Unlink(1);
    ASSERT_NE(middle, nullptr);
    EXPECT_EQ(middle->Owner(), nullptr);
    EXPECT_TRUE(deleted.empty());
    EXPECT_EQ(Ids(list), (std::vector<int>{0, 2}));
    delete middle;
    list.Remove(list.First());
    EXPECT_EQ(deleted, (std::vector<int>{1, 0}));
    EXPECT_EQ(IdsBackwards(list), (std::vector<int>{2}));
}

TEST_F(Fixture, ClearAndDestructionDeleteEveryElement)
{
    Fill(3);
    list.Clear();
    EXPECT_EQ(deleted, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.First(), nullptr);
    EXPECT_EQ(list.Last(), nullptr);
    {
        TList inner;
        inner.Append(new Probe(5, &deleted));
    }
    EXPECT_EQ(deleted.back(), 5);
}

TEST_F(Fixture, ForEachMayDeleteTheElementItIsGiven)
{
    Fill(5);
    struct Visit {
        std::vector<int> seen;
    } visit;
    list.ForEach(
        [](TList* l, TElement* e, int, void* user) {
            auto* v = static_cast<Visit*>(user);
            int id = static_cast<Probe*>(e)->id;
            v->seen.push_back(id);
            if (id % 2 == 0)
                l->Remove(e);
        },
        &visit);
    EXPECT_EQ(visit.seen, (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(Ids(list), (std::vector<int>{1, 3}));
}

TEST_F(Fixture, HiddenElementsAreSkippedButCounted)
{
    Fill(3);
    list.First()->SetHidden(true);
    std::vector<std::pair<int, int>> tested;  // (id, index)
    TElement* found = list.FirstThat(
        [](TList*, TElement* e, int index, void* user) {
            static_cast<std::vector<std::pair<int, int>>*>(user)->push_back({static_cast<Probe*>(e)->id, index});
            return true;
        },
        &tested);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(static_cast<Probe*>(found)->id, 1);
    EXPECT_EQ(tested, (std::vector<std::pair<int, int>>{{1, 1}}));

    std::vector<int> visited;
    list.ForEach([](TList*, TElement* e, int, void* user) {
        static_cast<std::vector<int>*>(user)->push_back(static_cast<Probe*>(e)->id);
    }, &visited);
    EXPECT_EQ(visited, (std::vector<int>{1, 2}));
}

TEST_F(Fixture, FirstThatAnswersNoneWhenNothingMatches)
{
    Fill(2);
    EXPECT_EQ(list.FirstThat([](TList*, TElement*, int, void*) { return false; }, nullptr), nullptr);
}

TEST_F(Fixture, SwapExchangesNeighboursAndDistantElements)
{
    Fill(5);
    list.Swap(1, 2);
    EXPECT_EQ(Ids(list), (std::vector<int>{0, 2, 1, 3, 4}));
    list.Swap(4, 0);
    EXPECT_EQ(Ids(list), (std::vector<int>{4, 2, 1, 3, 0}));
    EXPECT_EQ(IdsBackwards(list), (std::vector<int>{4, 2, 1, 3, 0}));
    list.Swap(2, 2);
    list.Swap(1, 5);
    list.Swap(-1, 0);
    EXPECT_EQ(Ids(list), (std::vector<int>{4, 2, 1, 3, 0}));
    EXPECT_EQ(list.Count(), 5);
}

TEST(DstringTest, KeepsACopyWithItsTerminator)
{
    char source[] = "casa";
    dstring s(source);
    source[0] = 'X';
    EXPECT_STREQ(s.Text(), "casa");
    EXPECT_EQ(s.DataLength(), 5u);
    s.SetText(nullptr);
    EXPECT_FALSE(s.HasText());
    EXPECT_STREQ(s.Text(), "");
    s.SetText("");
    EXPECT_TRUE(s.HasText());
    EXPECT_EQ(s.DataLength(), 1u);
}
