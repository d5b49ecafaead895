// Line splitting, saving, files and the list operations of TStringList.
#include "TempDir.h"
#include "rtl/Classes.h"
#include "rtl/SysUtils.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {
std::vector<std::string> Lines(const TStringList& list) {
    std::vector<std::string> out;
    for (int i = 0; i < list.Count(); ++i) out.push_back(list[i]);
    return out;
}
using V = std::vector<std::string>;
} // namespace

TEST(StringListText, SplitsAtCrLfAndCrLf) {
    TStringList list;
    list.SetText("a\r\nb\nc\rd");
    EXPECT_EQ(Lines(list), (V{"a", "b", "c", "d"}));
    list.SetText("a\n\rb"); // LF then CR are two breaks
    EXPECT_EQ(Lines(list), (V{"a", "", "b"}));
    list.SetText("a\r\n\r\nb\r\n");
    EXPECT_EQ(Lines(list), (V{"a", "", "b"}));
    list.SetText("\r\n");
    EXPECT_EQ(Lines(list), (V{""}));
    list.SetText("");
    EXPECT_EQ(list.Count(), 0);
    list.SetText("only");
    EXPECT_EQ(Lines(list), (V{"only"}));
}

TEST(StringListText, ZeroByteEndsTheText) {
    TStringList list;
    list.SetText(std::string_view("login\r\npass\0word\r\nmore", 22));
    EXPECT_EQ(Lines(list), (V{"login", "pass"}));
    list.SetText(std::string_view("\0abc", 4));
    EXPECT_EQ(list.Count(), 0);
}

TEST(StringListText, CrLfAfterEveryLine) {
    TStringList list;
    list.Add("x");
    list.Add("");
    list.Add("\xCF\xF0\xE8");
    EXPECT_EQ(list.Text(), "x\r\n\r\n\xCF\xF0\xE8\r\n");
    TStringList empty;
    EXPECT_EQ(empty.Text(), "");
}

TEST(StringListFiles, SaveAndLoadExactBytes) {
    TempDir dir;
    std::string name = dir.File("zov.log");
    TStringList list;
    list.Add("user");
    list.Add("p\xE0ss");
    list.SaveToFile(name);
    EXPECT_EQ(ReadFileBytes(name), "user\r\np\xE0ss\r\n");

    WriteFileBytes(name, "one\ntwo\rthree");
    TStringList back;
    back.Add("stale");
    back.LoadFromFile(name);
    EXPECT_EQ(Lines(back), (V{"one", "two", "three"}));
}

TEST(StringListFiles, ErrorsNameTheFileAndTheReason) {
    TempDir dir;
    TStringList list;
    std::string missing = dir.File("missing.brelvan");
    try {
        list.LoadFromFile(missing);
        FAIL() << "no exception";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message(), "Cannot open file \"" + missing + "\". No such file or directory");
    }
    std::string inNowhere = dir.File("no/such/dir/out.txt");
    try {
        list.SaveToFile(inNowhere);
        FAIL() << "no exception";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.Message(),
                  "Cannot create file \"" + inNowhere + "\". No such file or directory");
    }
    // A directory cannot be read as lines.
    EXPECT_THROW(list.LoadFromFile(dir.Path()), EFOpenError);
    if (::geteuid() != 0) {
        std::string locked = dir.File("locked");
        WriteFileBytes(locked, "x");
        ::chmod(locked.c_str(), 0);
        EXPECT_THROW(list.LoadFromFile(locked), EFOpenError);
    }
}

TEST(StringListFiles, RelativeNamesShownInFull) {
    TempDir dir;
    std::string saved = GetCurrentDir();
    ASSERT_EQ(::chdir(dir.Path().c_str()), 0);
    TStringList list;
    try {
        list.LoadFromFile("zov.log");
        ADD_FAILURE() << "no exception";
    } catch (const EFOpenError& e) {
        EXPECT_NE(e.Message().find("\"" + dir.Path() + "/zov.log\""), std::string::npos)
            << e.Message();
    }
    list.Add("a");
    list.SaveToFile("zov.log"); // a bare name is the current directory
    EXPECT_TRUE(FileExists(dir.File("zov.log")));
    ASSERT_EQ(::chdir(saved.c_str()), 0);
}

TEST(StringListOps, IndexErrors) {
    TStringList list;
    list.Add("a");
    auto message = [&](auto&& fn) {
        try {
            fn();
        } catch (const EListError& e) {
            return e.Message();
        }
        return std::string("<none>");
    };
    EXPECT_EQ(message([&] { list.Strings(1); }), "List index out of bounds (1)");
    EXPECT_EQ(message([&] { list.Delete(-1); }), "List index out of bounds (-1)");
    EXPECT_EQ(message([&] { list.Insert(3, "x"); }), "List index out of bounds (3)");
    EXPECT_EQ(message([&] { list.SetStrings(5, "x"); }), "List index out of bounds (5)");
    list.Insert(1, "b"); // at Count is allowed
    EXPECT_EQ(Lines(list), (V{"a", "b"}));
}

TEST(StringListOps, EditingAndObjects) {
    TStringList list;
    TObject tag;
    list.Add("one");
    list.AddObject("two", &tag);
    list.Insert(0, "zero");
    EXPECT_EQ(list.IndexOf("TWO"), 2); // folded by default
    EXPECT_EQ(list.IndexOfObject(&tag), 2);
    EXPECT_EQ(list.Objects(2), &tag);
    list.Move(2, 0);
    EXPECT_EQ(Lines(list), (V{"two", "zero", "one"}));
    EXPECT_EQ(list.Objects(0), &tag);
    list.Exchange(0, 2);
    EXPECT_EQ(Lines(list), (V{"one", "zero", "two"}));
    list.Delete(1);
    list.SetCaseSensitive(true);
    EXPECT_EQ(list.IndexOf("TWO"), -1);
    list.SetStrings(0, "uno");
    EXPECT_EQ(Lines(list), (V{"uno", "two"}));
    TStringList copy(list);
    EXPECT_TRUE(copy.Equals(list));
    copy.Clear();
    EXPECT_EQ(list.Count(), 2);
}

TEST(StringListOps, NamesAndValues) {
    TStringList list;
    list.SetText("Host=example\r\nport=80\r\nplain\r\nempty=\r\n");
    EXPECT_EQ(list.Names(0), "Host");
    EXPECT_EQ(list.Names(2), "");
    EXPECT_EQ(list.Values("PORT"), "80");
    EXPECT_EQ(list.Values("empty"), "");
    EXPECT_EQ(list.Values("none"), "");
    EXPECT_EQ(list.ValueFromIndex(0), "example");
    list.SetValues("port", "8080");
    EXPECT_EQ(list[1], "port=8080");
    list.SetValues("new", "1");
    EXPECT_EQ(list[list.Count() - 1], "new=1");
    list.SetValues("Host", "");
    EXPECT_EQ(list.IndexOfName("host"), -1);
    EXPECT_EQ(list.Values("a=b"), "");
}

TEST(StringListOps, SortedLists) {
    TStringList list;
    list.SetSorted(true);
    for (const char* s : {"pear", "Apple", "fig", "apple", "banana"}) list.Add(s);
    EXPECT_EQ(Lines(list), (V{"Apple", "banana", "fig", "pear"})); // "apple" ignored
    EXPECT_EQ(list.IndexOf("FIG"), 2);
    EXPECT_EQ(list.IndexOf("kiwi"), -1);
    EXPECT_THROW(list.Insert(0, "x"), EStringListError);
    list.SetDuplicates(dupError);
    EXPECT_THROW(list.Add("PEAR"), EStringListError);
    list.SetDuplicates(dupAccept);
    list.Add("fig");
    EXPECT_EQ(list.Count(), 5);
    EXPECT_EQ(list[2], "fig");
    EXPECT_EQ(list[3], "fig");

    TStringList cyr;
    cyr.Add("\xE1"); // б
    cyr.Add("\xC0"); // А
    cyr.Add("\xE0"); // а
    cyr.Sort();
    EXPECT_EQ(Lines(cyr), (V{"\xC0", "\xE0", "\xE1"})); // folded and stable
}

TEST(StringListOps, ChangeEventsAndUpdates) {
    TStringList list;
    int changes = 0;
    list.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &list);
        ++changes;
    };
    list.Add("a");
    list.Add("b");
    EXPECT_EQ(changes, 2);
    list.BeginUpdate();
    list.Add("c");
    list.Delete(0);
    list.BeginUpdate();
    list.EndUpdate();
    EXPECT_EQ(changes, 2);
    list.EndUpdate();
    EXPECT_EQ(changes, 3);
    list.SetText("x\ny\nz");
    EXPECT_EQ(changes, 4);
}

TEST(StringListOps, CommaText) {
    TStringList list;
    list.SetCommaText("a, \"b c\",\"d\"\"e\",,f");
    EXPECT_EQ(Lines(list), (V{"a", "b c", "d\"e", "", "f"}));
    EXPECT_EQ(list.CommaText(), "a,\"b c\",\"d\"\"e\",,f");
}

TEST(StringListStreams, LoadReadsFromThePosition) {
    TMemoryStream stream;
    stream.WriteBuffer("skip|a\r\nb", 9);
    stream.SetPosition(5);
    TStringList list;
    list.LoadFromStream(stream);
    EXPECT_EQ(Lines(list), (V{"a", "b"}));
    TMemoryStream out;
    list.SaveToStream(out);
    EXPECT_EQ(std::string(static_cast<const char*>(out.Memory()), out.Size()), "a\r\nb\r\n");
}
