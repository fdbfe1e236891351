// Streams: the same reading, writing, seeking and sizing rules for every kind of stream; file,
// resource and handle streams and their errors; copying between streams.
#include <gtest/gtest.h>
#include "tests/support/TestHelpers.h"
#include <functional>
#include <memory>
#include <string>
#include <vector>
#include "classlib/Streams.h"

namespace {

std::string TempPath(const std::string& name)
{
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  return std::string(dir) + name;
}

// A file name in the temporary folder, deleted at the end of the test.
class TTempFile {
public:
  explicit TTempFile(const std::string& name) : FPath(TempPath(name)) { DeleteFileA(FPath.c_str()); }
  ~TTempFile() { DeleteFileA(FPath.c_str()); }
  const std::string& Path() const { return FPath; }

private:
  std::string FPath;
};

std::string All(TStream& stream)
{
  std::string data(static_cast<size_t>(stream.Size()), '\0');
  stream.SetPosition(0);
  stream.ReadBuffer(data.data(), static_cast<int64_t>(data.size()));
  return data;
}

std::string ReadAt(TStream& stream, int64_t position, int32_t count)
{
  std::string data(static_cast<size_t>(count), '\0');
  stream.SetPosition(position);
  data.resize(static_cast<size_t>(stream.Read(data.data(), count)));
  return data;
}


// The rules every writable stream keeps.
void ExerciseStream(TStream& s)
{
  s.WriteBuffer("hello world", 11);
  EXPECT_EQ(s.Position(), 11);
  EXPECT_EQ(s.Size(), 11);
  struct Seek {
    int64_t Offset;
    TSeekOrigin Origin;
    int64_t Result;
  };
  const Seek seeks[] = {{0, TSeekOrigin::soBeginning, 0},  {-5, TSeekOrigin::soEnd, 6},
                        {2, TSeekOrigin::soCurrent, 8},    {-8, TSeekOrigin::soCurrent, 0},
                        {20, TSeekOrigin::soBeginning, 20}, {0, TSeekOrigin::soEnd, 11}};
  for (const Seek& k : seeks) {
    EXPECT_EQ(s.Seek(k.Offset, k.Origin), k.Result);
    EXPECT_EQ(s.Position(), k.Result);
  }
  EXPECT_EQ(ReadAt(s, 6, 100), "world");
  EXPECT_EQ(s.Position(), 11);
  EXPECT_EQ(ReadAt(s, 20, 4), "");  // past the end
  EXPECT_EQ(s.Write("!", 1), 1);    // at 20: the gap fills with zeros
  EXPECT_EQ(All(s), std::string("hello world\0\0\0\0\0\0\0\0\0!", 21));
  s.SetPosition(0);
  s.WriteBuffer("J", 1);  // overwrites without cutting the rest
  EXPECT_EQ(s.Size(), 21);
  EXPECT_EQ(ReadAt(s, 0, 5), "Jello");
  s.SetPosition(21);
  s.SetSize(5);
  EXPECT_EQ(s.Position(), 5);  // cut back to the new end
  s.SetSize(8);                // grows with zeros, not with what was cut
  EXPECT_EQ(All(s), std::string("Jello\0\0\0", 8));

  EXPECT_EQ(MessageOf<EStreamError>([&] { s.Seek(-1, TSeekOrigin::soBeginning); }),
            "Stream position out of range (-1)");
  EXPECT_EQ(MessageOf<EStreamError>([&] { s.Seek(-9, TSeekOrigin::soEnd); }), "Stream position out of range (-1)");
  EXPECT_EQ(s.Position(), 8);
  char buffer[16];
  s.SetPosition(4);
  EXPECT_EQ(MessageOf<EReadError>([&] { s.ReadBuffer(buffer, 5); }), "Stream read error");
}

}  // namespace

TEST(Stream, EveryKindKeepsTheSameRules)
{
  {
    SCOPED_TRACE("TMemoryStream");
    TOwned<TMemoryStream> s = MakeOwned<TMemoryStream>();
    ExerciseStream(*s);
  }
  {
    SCOPED_TRACE("TStringStream");
    auto s = MakeOwned<TStringStream>();
    ExerciseStream(*s);
    EXPECT_EQ(s->DataString(), std::string("Jello\0\0\0", 8));
  }
  {
    SCOPED_TRACE("TFileStream");
    TTempFile file("stream-rules.bin");
    auto s = MakeOwned<TFileStream>(file.Path(), fmCreate);
    ExerciseStream(*s);
  }
}

TEST(Stream, MemoryStreamGrowsLoadsSavesAndClears)
{
  auto s = MakeOwned<TMemoryStream>();
  std::string pattern;
  for (int i = 0; i < 100000; ++i) pattern += static_cast<char>('a' + i % 26);
  for (char c : pattern) s->WriteBuffer(&c, 1);  // byte by byte
  EXPECT_EQ(All(*s), pattern);
  EXPECT_GE(s->Capacity(), s->Size());
  TTempFile file("内存流.bin");
  s->SaveToFile(file.Path());
  auto loaded = MakeOwned<TMemoryStream>();
  loaded->LoadFromFile(file.Path());
  EXPECT_EQ(All(*loaded), pattern);
  loaded->Clear();
  EXPECT_EQ(loaded->Size(), 0);
  EXPECT_EQ(loaded->Capacity(), 0);
  EXPECT_EQ(loaded->Memory(), nullptr);
  auto text = MakeOwned<TStringStream>("from a string");
  text->SetPosition(5);
  loaded->LoadFromStream(*text);  // all of it, from the start
  EXPECT_EQ(All(*loaded), "from a string");
}

TEST(Stream, StringStreamReadsAndWritesText)
{
  auto s = MakeOwned<TStringStream>("abcdef");
  s->SetPosition(2);
  EXPECT_EQ(s->ReadString(2), "cd");
  s->WriteString("中文");  // overwrites "ef" and grows
  EXPECT_EQ(s->DataString(), "abcd中文");
  EXPECT_EQ(s->ReadString(10), "");
  s->SetPosition(4);
  EXPECT_EQ(s->ReadString(100), "中文");
}

TEST(Stream, CopyFromCopiesAPartOrTheWholeSource)
{
  auto source = MakeOwned<TMemoryStream>();
  std::string data;
  for (int i = 0; i < 200000; ++i) data += static_cast<char>(i * 7);
  source->WriteBuffer(data.data(), static_cast<int64_t>(data.size()));
  source->SetPosition(1000);
  TTempFile file("copy.bin");
  {
    auto dest = MakeOwned<TFileStream>(file.Path(), fmCreate);
    EXPECT_EQ(dest->CopyFrom(*source, 0), 200000);  // 0: all of it, from the start
    EXPECT_EQ(source->Position(), 200000);
  }
  auto back = MakeOwned<TFileStream>(file.Path(), fmOpenRead);
  EXPECT_EQ(All(*back), data);
  auto part = MakeOwned<TStringStream>();
  back->SetPosition(70000);
  EXPECT_EQ(part->CopyFrom(*back, 100000), 100000);
  EXPECT_EQ(part->DataString(), data.substr(70000, 100000));
  EXPECT_EQ(back->Position(), 170000);
  EXPECT_THROW(part->CopyFrom(*back, 30001), EReadError);
}

TEST(Stream, FileStreamErrorsNameTheFileAndTheReason)
{
  std::string missing = TempPath("没有这个文件.txt");
  DeleteFileA(missing.c_str());
  std::string message = MessageOf<EFOpenError>([&] { TFileStream s(missing, fmOpenRead); });
  std::string prefix = "Cannot open file \"" + missing + "\". ";
  EXPECT_EQ(message.substr(0, prefix.size()), prefix);
  EXPECT_GT(message.size(), prefix.size());  // the system's reason follows

  std::string badDir = TempPath("no-such-folder\\new.txt");
  message = MessageOf<EFCreateError>([&] { TFileStream s(badDir, fmCreate); });
  prefix = "Cannot create file \"" + badDir + "\". ";
  EXPECT_EQ(message.substr(0, prefix.size()), prefix);

  TTempFile file("文件流.txt");
  {
    auto create = MakeOwned<TFileStream>(file.Path(), fmCreate);
    create->WriteBuffer("data", 4);
  }
  auto reader = MakeOwned<TFileStream>(file.Path(), fmOpenRead | fmShareDenyWrite);
  EXPECT_EQ(All(*reader), "data");
  char c = 'x';
  EXPECT_THROW(reader->WriteBuffer(&c, 1), EWriteError);  // opened for reading only
  // Share modes: other readers are let in, writers are not, nor anyone when exclusive.
  EXPECT_NO_THROW(MakeOwned<TFileStream>(file.Path(), fmOpenRead | fmShareDenyNone));
  EXPECT_THROW(MakeOwned<TFileStream>(file.Path(), fmOpenReadWrite | fmShareDenyNone), EFOpenError);
  TTempFile exclusive("exclusive.txt");
  auto owner = MakeOwned<TFileStream>(exclusive.Path(), fmCreate | fmShareExclusive);
  EXPECT_THROW(MakeOwned<TFileStream>(exclusive.Path(), fmOpenRead | fmShareDenyNone), EFOpenError);
}

TEST(Stream, HandleStreamReadsAPipeToItsEnd)
{
  HANDLE readEnd, writeEnd;
  ASSERT_TRUE(CreatePipe(&readEnd, &writeEnd, nullptr, 0));
  {
    auto writer = MakeOwned<THandleStream>(writeEnd);
    writer->WriteBuffer("abc", 3);
  }
  CloseHandle(writeEnd);
  auto reader = MakeOwned<THandleStream>(readEnd);
  char buffer[8];
  EXPECT_EQ(reader->Read(buffer, 8), 3);
  EXPECT_EQ(reader->Read(buffer, 8), 0);  // the writer is gone: the end, not an error
  CloseHandle(readEnd);
}

TEST(Stream, ResourceStreamsReadResourcesOnly)
{
  HINSTANCE instance = GetModuleHandleA(nullptr);
  auto byName = MakeOwned<TResourceStream>(instance, "CLTEST_STREAMDATA", RT_RCDATA);
  EXPECT_EQ(All(*byName), "Resource stream data");
  EXPECT_EQ(ReadAt(*byName, 9, 6), "stream");
  auto byId = MakeOwned<TResourceStream>(instance, 4711, RT_RCDATA);
  EXPECT_EQ(All(*byId), "by id");

  EXPECT_EQ(MessageOf<EStreamError>([&] { byName->WriteBuffer("x", 1); }), "Can't write to a read-only resource stream");
  EXPECT_EQ(MessageOf<EStreamError>([&] { byName->SetSize(0); }), "Can't write to a read-only resource stream");
  EXPECT_EQ(byName->Size(), 20);
  EXPECT_EQ(MessageOf<EResNotFound>([&] { TResourceStream s(instance, "NOSUCH", RT_RCDATA); }),
            "Resource NOSUCH not found");
  EXPECT_EQ(MessageOf<EResNotFound>([&] { TResourceStream s(instance, 999, RT_RCDATA); }), "Resource 999 not found");
}
