#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>

#include "vcl/Classes.h"
#include "vcl/SysUtils.h"

namespace {

using namespace vcl;

// Counts its own destruction and keeps a link that Notification must clear.
class TProbe : public TComponent {
public:
    TProbe(TComponent* AOwner, int* Deaths = nullptr) : TComponent(AOwner), FDeaths(Deaths) {}
    ~TProbe() override {
        if (FDeaths) ++*FDeaths;
    }
    std::string ClassName() const override { return "TProbe"; }

    TComponent* Link = nullptr;
    std::vector<std::string> Log;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override {
        if (Operation == opRemove && AComponent == Link) Link = nullptr;
        Log.push_back((Operation == opInsert ? "insert " : "remove ") + AComponent->Name());
        TComponent::Notification(AComponent, Operation);
    }

private:
    int* FDeaths;
};

TEST(Component, OwnerFreesOwnedComponentsAndEarlyFreeLeavesTheOwner) {
    int deaths = 0;
    auto* owner = new TProbe(nullptr, &deaths);
    auto* a = new TProbe(owner, &deaths);
    auto* b = new TProbe(owner, &deaths);
    new TProbe(a, &deaths);  // grandchild, freed through a
    EXPECT_EQ(owner->ComponentCount(), 2);
    EXPECT_EQ(owner->Components(1), b);
    EXPECT_EQ(b->Owner(), owner);
    EXPECT_EQ(b->ComponentIndex(), 1);

    delete a;
    EXPECT_EQ(deaths, 2);
    EXPECT_EQ(owner->ComponentCount(), 1);
    EXPECT_EQ(owner->Components(0), b);
    delete owner;
    EXPECT_EQ(deaths, 4);
}

TEST(Component, NamesAreIdentifiersUniqueUnderTheOwner) {
    TComponent owner(nullptr);
    auto* a = new TComponent(&owner);
    auto* b = new TComponent(&owner);
    a->SetName("Button1");
    EXPECT_EQ(owner.FindComponent("BUTTON1"), a);
    EXPECT_EQ(owner.FindComponent("Button2"), nullptr);
    try {
        b->SetName("button1");
        FAIL();
    } catch (const EComponentError& e) {
        EXPECT_EQ(e.Message(), "A component named button1 already exists");
    }
    for (const char* bad : {"1abc", "a b", "a-b", "x.y"}) {
        try {
            b->SetName(bad);
            FAIL() << bad;
        } catch (const EComponentError& e) {
            EXPECT_EQ(e.Message(), std::string("'") + bad + "' is not a valid component name");
        }
    }
    EXPECT_EQ(b->Name(), "");
    a->SetName("BUTTON1");  // a case change of its own name is fine
    EXPECT_EQ(a->Name(), "BUTTON1");
    b->SetName("");
    EXPECT_THROW(owner.Components(2), EListError);
    EXPECT_EQ(owner.FindComponent(""), nullptr);
}

TEST(Component, NotificationClearsLinksWhenAComponentDies) {
    TProbe owner(nullptr);
    auto* holder = new TProbe(&owner);
    auto* target = new TProbe(&owner);
    target->SetName("Target");
    holder->Link = target;
    delete target;
    EXPECT_EQ(holder->Link, nullptr);
    EXPECT_EQ(owner.Log.back(), "remove Target");

    // Across owners the holder asks for the news with FreeNotification.
    TProbe otherOwner(nullptr);
    auto* far = new TProbe(&otherOwner);
    holder->Link = far;
    holder->FreeNotification(far);
    delete far;
    EXPECT_EQ(holder->Link, nullptr);
}

TEST(Component, StateFlagsAndDesigning) {
    TComponent owner(nullptr);
    auto* child = new TComponent(&owner);
    EXPECT_TRUE(owner.ComponentState().Empty());
    owner.SetDesigning(true);
    EXPECT_TRUE(child->ComponentState().Contains(csDesigning));
    owner.SetDesigning(false, false);
    EXPECT_FALSE(owner.ComponentState().Contains(csDesigning));
    EXPECT_TRUE(child->ComponentState().Contains(csDesigning));
    child->SetTag(-5);
    EXPECT_EQ(child->Tag(), -5);
}

TEST(Component, InsertMovesBetweenOwners) {
    TComponent a(nullptr), b(nullptr);
    auto* c = new TComponent(&a);
    c->SetName("C");
    b.InsertComponent(c);
    EXPECT_EQ(a.ComponentCount(), 0);
    EXPECT_EQ(b.FindComponent("C"), c);
    auto* d = new TComponent(&a);
    d->SetName("C");
    EXPECT_THROW(b.InsertComponent(d), EComponentError);
    EXPECT_EQ(d->Owner(), &a);
}

TEST(Streams, MemoryAndStringStreamsReadWriteSeek) {
    TMemoryStream m;
    m.WriteBuffer("hello", 5);
    EXPECT_EQ(m.Size(), 5);
    m.SetPosition(1);
    char buf[8] = {};
    EXPECT_EQ(m.Read(buf, 10), 4);
    EXPECT_STREQ(buf, "ello");
    EXPECT_THROW(m.ReadBuffer(buf, 1), EReadError);
    EXPECT_EQ(m.Seek(-2, soEnd), 3);
    EXPECT_EQ(m.Seek(-10, soCurrent), 0);
    m.SetSize(2);
    EXPECT_EQ(m.Size(), 2);

    TStringStream s("abc");
    s.Seek(0, soEnd);
    s.WriteString("de");
    EXPECT_EQ(s.DataString(), "abcde");
    s.SetPosition(1);
    EXPECT_EQ(s.ReadString(2), "bc");

    TMemoryStream copy;
    EXPECT_EQ(copy.CopyFrom(s, 0), 5);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(copy.Memory()), 5), "abcde");
}

class TempDir : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/vcl_core_XXXXXX";
        Dir = mkdtemp(tmpl);
    }
    void TearDown() override { std::system(("rm -rf " + Dir).c_str()); }
    std::string Dir;
};

TEST_F(TempDir, FileStreamOpenErrorsNameTheFile) {
    std::string name = Dir + "/missing.txt";
    try {
        TFileStream f(name, fmOpenRead);
        FAIL();
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message().rfind("Cannot open file \"" + name + "\". ", 0), 0u) << e.Message();
    }
    EXPECT_THROW(TFileStream(Dir + "/no/dir/x", fmCreate), EFCreateError);
    EXPECT_THROW(TFileStream(Dir, fmOpenRead), EFOpenError);
    {
        TFileStream f(Dir + "/a.bin", fmCreate);
        f.WriteBuffer("xyz", 3);
    }
    TFileStream f(Dir + "/a.bin", fmOpenRead | fmShareDenyNone);
    EXPECT_EQ(f.Size(), 3);
}

TEST(StringList, TextSplitsEveryLineBreakAndJoinsWithCrLf) {
    TStringList l;
    l.SetText("a\r\nb\nc\rd");
    EXPECT_EQ(l.Count(), 4);
    EXPECT_EQ(l.Strings(3), "d");
    EXPECT_EQ(l.Text(), "a\r\nb\r\nc\r\nd\r\n");
    l.SetText("x\n\ny\n");
    EXPECT_EQ(l.Count(), 3);
    EXPECT_EQ(l.Strings(1), "");
    l.SetLineBreak("\n");
    EXPECT_EQ(l.Text(), "x\n\ny\n");
    l.SetText("");
    EXPECT_EQ(l.Count(), 0);
}

TEST(StringList, EditingAndIndexErrors) {
    TStringList l;
    int changes = 0;
    l.OnChange = [&](TObject*) { ++changes; };
    l.Add("b");
    l.Insert(0, "a");
    l.Add("c");
    l.Delete(1);
    EXPECT_EQ(l.CommaText(), "a,c");
    EXPECT_EQ(changes, 4);
    l.BeginUpdate();
    l.Add("d");
    l.Add("e");
    l.EndUpdate();
    EXPECT_EQ(changes, 5);
    EXPECT_EQ(l.IndexOf("C"), 1);
    l.SetCaseSensitive(true);
    EXPECT_EQ(l.IndexOf("C"), -1);
    try {
        l.Strings(9);
        FAIL();
    } catch (const EStringListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (9)");
    }
    EXPECT_THROW(l.Insert(-1, "x"), EStringListError);
    EXPECT_THROW(l.Delete(l.Count()), EStringListError);
    l.Move(0, 3);
    EXPECT_EQ(l.CommaText(), "c,d,e,a");
    l.Exchange(0, 3);
    EXPECT_EQ(l.CommaText(), "a,d,e,c");
}

TEST(StringList, SortedListsKeepOrderAndDuplicatesRule) {
    TStringList l;
    l.SetCommaText("pear,Apple,fig");
    l.Sort();
    EXPECT_EQ(l.CommaText(), "Apple,fig,pear");
    l.SetSorted(true);
    EXPECT_EQ(l.Add("banana"), 1);
    EXPECT_EQ(l.Add("FIG"), 2);  // dupIgnore: the existing index
    EXPECT_EQ(l.Count(), 4);
    l.SetDuplicates(dupError);
    EXPECT_THROW(l.Add("pear"), EStringListError);
    EXPECT_THROW(l.Insert(0, "x"), EStringListError);
    int idx;
    EXPECT_FALSE(l.Find("cherry", idx));
    EXPECT_EQ(idx, 2);
    EXPECT_EQ(l.IndexOf("PEAR"), 3);
}

TEST(StringList, DelimitedTextQuotesAndValues) {
    TStringList l;
    l.Add("plain");
    l.Add("with blank");
    l.Add("with \"quote\"");
    l.Add("a,b");
    l.Add("");
    EXPECT_EQ(l.CommaText(), "plain,\"with blank\",\"with \"\"quote\"\"\",\"a,b\",");
    TStringList back;
    back.SetCommaText(l.CommaText());
    EXPECT_EQ(back.ToVector(), l.ToVector());

    TStringList d;
    d.SetDelimiter(';');
    d.SetStrictDelimiter(true);
    d.SetDelimitedText("a b;c;;d");
    EXPECT_EQ(d.ToVector(), (std::vector<std::string>{"a b", "c", "", "d"}));
    TStringList blanks;
    blanks.SetCommaText("a b, c");
    EXPECT_EQ(blanks.ToVector(), (std::vector<std::string>{"a", "b", "c"}));

    TStringList v;
    v.Add("Width=10");
    v.Add("Name=x=y");
    EXPECT_EQ(v.Values("width"), "10");
    EXPECT_EQ(v.Values("Name"), "x=y");
    EXPECT_EQ(v.Names(1), "Name");
    v.SetValues("Height", "5");
    v.SetValues("Width", "");
    EXPECT_EQ(v.CommaText(), "Name=x=y,Height=5");
}

TEST_F(TempDir, StringListFilesRoundTripAndLoadSkipsBom) {
    TStringList l;
    l.Add("first");
    l.Add("zweite Zeile \xC3\xBC");
    std::string name = Dir + "/lines.txt";
    l.SaveToFile(name);
    TStringList r;
    r.LoadFromFile(name);
    EXPECT_EQ(r.ToVector(), l.ToVector());

    TStringStream bom("\xEF\xBB\xBFone\ntwo");
    r.LoadFromStream(bom);
    EXPECT_EQ(r.ToVector(), (std::vector<std::string>{"one", "two"}));
    r.Add("kept");
    EXPECT_THROW(r.LoadFromFile(Dir + "/missing"), EFOpenError);
    EXPECT_EQ(r.Count(), 3);  // a failed load leaves the list alone
}

TEST(StringList, OwnedObjectsDieWithTheList) {
    int deaths = 0;
    {
        TStringList l(true);
        l.AddObject("a", new TProbe(nullptr, &deaths));
        l.AddObject("b", new TProbe(nullptr, &deaths));
        l.Delete(0);
        EXPECT_EQ(deaths, 1);
    }
    EXPECT_EQ(deaths, 2);
}

class TItem : public TCollectionItem {
public:
    using TCollectionItem::TCollectionItem;
    std::string ClassName() const override { return "TItem"; }
    void Assign(TPersistent* Source) override {
        if (auto* s = dynamic_cast<TItem*>(Source)) {
            Value = s->Value;
            return;
        }
        TCollectionItem::Assign(Source);
    }
    int Value = 0;
};

TEST(Collection, ItemsKnowTheirIndexAndAssignCopies) {
    auto factory = [](TCollection* c) { return new TItem(c); };
    TCollection a(factory), b(factory);
    int changes = 0;
    b.OnChange = [&](TObject*) { ++changes; };
    static_cast<TItem*>(a.Add())->Value = 1;
    static_cast<TItem*>(a.Add())->Value = 2;
    EXPECT_EQ(a.Items(1)->Index(), 1);
    b.Assign(&a);
    EXPECT_EQ(changes, 1);
    ASSERT_EQ(b.Count(), 2);
    EXPECT_EQ(static_cast<TItem*>(b.Items(1))->Value, 2);
    b.Delete(0);
    EXPECT_EQ(b.Items(0)->Index(), 0);
    EXPECT_THROW(b.Items(1), EListError);
}

TEST(Set, MembersAndOperators) {
    enum TColorPart : uint8_t { cpRed, cpGreen, cpBlue };
    using TParts = TSet<TColorPart>;
    TParts s{cpRed, cpBlue};
    EXPECT_TRUE(s.Contains(cpBlue));
    EXPECT_FALSE(s.Contains(cpGreen));
    EXPECT_EQ(s - TParts{cpRed}, TParts{cpBlue});
    EXPECT_EQ((s * TParts{cpRed, cpGreen}), TParts{cpRed});
    EXPECT_TRUE(TParts{cpRed} <= s);
    s.Include(cpGreen).Exclude(cpRed);
    EXPECT_EQ(s.Bits(), 6u);
}

}  // namespace
