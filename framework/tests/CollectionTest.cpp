#include "framework/Array.h"
#include "framework/PtrList.h"
#include "framework/StringArray.h"
#include "framework/StringList.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Forward(const CStringList& list)
{
    std::string out;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        out += std::string(list.GetNext(pos)) + " ";
    return out;
}

std::string Backward(const CStringList& list)
{
    std::string out;
    for (POSITION pos = list.GetTailPosition(); pos;)
        out += std::string(list.GetPrev(pos)) + " ";
    return out;
}

template <typename Array>
std::string Joined(const Array& array)
{
    std::string out;
    for (INT_PTR i = 0; i < array.GetSize(); ++i)
        out += std::to_string(array[i]) + " ";
    return out;
}

TEST(CListTest, AddsAndWalksBothWays)
{
    CStringList list;
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.GetHeadPosition(), nullptr);
    list.AddTail("b");
    list.AddTail(CString("c"));
    list.AddHead("a");
    EXPECT_EQ(list.GetCount(), 3);
    EXPECT_EQ(Forward(list), "a b c ");
    EXPECT_EQ(Backward(list), "c b a ");
    EXPECT_EQ(list.GetHead(), "a");
    EXPECT_EQ(list.GetTail(), "c");

    POSITION b = list.Find("b");
    ASSERT_NE(b, nullptr);
    list.InsertBefore(b, "a2");
    list.InsertAfter(b, "b2");
    list.InsertBefore(nullptr, "first");
    list.InsertAfter(nullptr, "last");
    EXPECT_EQ(Forward(list), "first a a2 b b2 c last ");
    EXPECT_EQ(Backward(list), "last c b2 b a2 a first ");
    list.SetAt(b, "B");
    EXPECT_EQ(list.GetAt(list.FindIndex(3)), "B");
    EXPECT_EQ(list.FindIndex(7), nullptr);
    EXPECT_EQ(list.FindIndex(-1), nullptr);
    EXPECT_EQ(list.Find("b"), nullptr); // exact comparison
}

TEST(CListTest, FindStartsAfterAGivenElement)
{
    CPtrList list;
    int a = 0;
    int b = 0;
    POSITION first = list.AddTail(&a);
    list.AddTail(&b);
    POSITION third = list.AddTail(&a);
    EXPECT_EQ(list.Find(&a), first);
    EXPECT_EQ(list.Find(&a, first), third);
    EXPECT_EQ(list.Find(&a, third), nullptr);
    EXPECT_EQ(list.Find(nullptr), nullptr);
}

TEST(CListTest, RemovesWhileWalkingAndAtBothEnds)
{
    CStringList list;
    for (const char* s : {"keep1", "drop", "keep2", "drop", "drop"})
        list.AddTail(s);
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        POSITION current = pos;
        if (list.GetNext(pos) == "drop")
            list.RemoveAt(current);
    }
    EXPECT_EQ(Forward(list), "keep1 keep2 ");
    EXPECT_EQ(Backward(list), "keep2 keep1 ");
    EXPECT_EQ(list.GetCount(), 2);

    EXPECT_EQ(list.RemoveTail(), "keep2");
    EXPECT_EQ(list.RemoveHead(), "keep1");
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.GetHeadPosition(), nullptr);
    EXPECT_EQ(list.GetTailPosition(), nullptr);
    list.AddTail("again"); // the emptied list is whole again
    EXPECT_EQ(Forward(list), "again ");
    list.RemoveAll();
    EXPECT_EQ(list.GetCount(), 0);
}

TEST(CListTest, AppendsAnotherListOrItself)
{
    CStringList list;
    list.AddTail("a");
    list.AddTail("b");
    CStringList other;
    other.AddTail("x");
    list.AddHead(&other);
    list.AddTail(&other);
    EXPECT_EQ(Forward(list), "x a b x ");
    list.AddTail(&list);
    EXPECT_EQ(Forward(list), "x a b x x a b x ");
    list.AddHead(&other);
    list.AddHead(&list);
    EXPECT_EQ(list.GetCount(), 18);
    EXPECT_EQ(Backward(list).substr(0, 8), "x b a x ");
}

TEST(CArrayTest, AddInsertRemoveAndGrow)
{
    CDWordArray a;
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_EQ(a.GetUpperBound(), -1);
    EXPECT_EQ(a.Add(10), 0);
    EXPECT_EQ(a.Add(30), 1);
    a.InsertAt(1, 20);
    a.InsertAt(0, 5, 2);
    EXPECT_EQ(Joined(a), "5 5 10 20 30 ");
    a.RemoveAt(0, 2);
    EXPECT_EQ(Joined(a), "10 20 30 ");
    a.RemoveAt(2, 99); // count clamped to the end
    a.RemoveAt(5);     // outside: nothing
    a.RemoveAt(-1);
    EXPECT_EQ(Joined(a), "10 20 ");

    a.SetAtGrow(4, 7);
    EXPECT_EQ(Joined(a), "10 20 0 0 7 ");
    a.InsertAt(7, 1); // past the end grows first
    EXPECT_EQ(a.GetSize(), 8);
    EXPECT_EQ(a[7], 1u);
    a[0] = 11;
    a.SetAt(1, 21);
    a.ElementAt(2) = 31;
    EXPECT_EQ(Joined(a), "11 21 31 0 7 0 0 1 ");
    a.SetSize(2);
    EXPECT_EQ(Joined(a), "11 21 ");
    EXPECT_EQ(a.GetData()[1], 21u);
    a.SetSize(-3);
    EXPECT_EQ(a.GetCount(), 0);
}

TEST(CArrayTest, AppendCopyAndInsertArrays)
{
    CArray<int, int> a;
    a.Add(1);
    a.Add(2);
    EXPECT_EQ(a.Append(a), 2); // itself
    EXPECT_EQ(Joined(a), "1 2 1 2 ");
    a.InsertAt(1, &a);
    EXPECT_EQ(Joined(a), "1 1 2 1 2 2 1 2 ");
    CArray<int, int> b;
    b.Copy(a);
    b.RemoveAll();
    b.Add(9);
    a.Copy(b);
    EXPECT_EQ(Joined(a), "9 ");
    b.SetAtGrow(1, b[0]); // an element of the array itself
    EXPECT_EQ(Joined(b), "9 9 ");
}

TEST(CArrayTest, StringArray)
{
    CStringArray names;
    names.Add("张三");
    names.Add(CString("李四"));
    names.InsertAt(0, "王五");
    EXPECT_EQ(names.GetSize(), 3);
    EXPECT_EQ(names[0], "王五");
    EXPECT_EQ(names.GetAt(2), "李四");
    names.SetAt(1, "赵六");
    names.RemoveAt(2);
    EXPECT_EQ(names.GetUpperBound(), 1);
    EXPECT_EQ(names[1], "赵六");
    names.RemoveAll();
    EXPECT_TRUE(names.IsEmpty());
}

} // namespace
