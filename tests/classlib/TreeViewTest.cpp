// The tree view and its nodes on a real window: node operations with and without the window,
// node and tree properties with their events, hit tests, what a descendant sees of the window's
// messages, and the nodes in stored forms, well formed and broken.
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>
#include "classlib/Bitmap.h"
#include "classlib/ByteOrder.h"
#include "classlib/ComCtrls.h"
#include "classlib/Filer.h"
#include "classlib/ImageList.h"
#include "classlib/ObjectText.h"
#include "classlib/Streams.h"
#include "tests/classlib/ControlsFixture.h"
#include "tests/support/TestHelpers.h"

using namespace fixture;

namespace {

// A descendant that records what reaches it: the window's messages it cares for, and the nodes
// whose deletion the window reports.
class TRecordingTree : public TCustomTreeView {
  CL_CLASS(TRecordingTree, TCustomTreeView)
public:
  using TCustomTreeView::TCustomTreeView;
  std::vector<UINT> Messages;
  std::vector<std::string> Deleted;
  int UnnamedDeletions = 0;

  void WndProc(TMessage& msg) override
  {
    switch (msg.Msg) {
      case TVM_SETITEMA: case TVM_SETIMAGELIST: case WM_NCCALCSIZE: case WM_NCPAINT: case WM_NCHITTEST:
        Messages.push_back(msg.Msg);
        break;
      default:
        break;
    }
    TCustomTreeView::WndProc(msg);
  }
  int Count(UINT msg) const { return static_cast<int>(std::count(Messages.begin(), Messages.end(), msg)); }

private:
  void CNNotify(TMessage& msg)
  {
    auto* tv = msg.LParamAs<NMTREEVIEWA>();
    if (tv->hdr.code == TVN_DELETEITEMA || tv->hdr.code == TVN_DELETEITEMW) {
      if (TTreeNode* node = NodeOfItem(tv->itemOld))
        Deleted.push_back(node->Text());
      else
        ++UnnamedDeletions;
    }
    Inherited<TRecordingTree>(msg);
  }
};

// The nodes as "a(a1 a2) b": each node's text, its children in brackets.
std::string Shape(const std::vector<TTreeNode*>& nodes)
{
  std::string s;
  for (TTreeNode* n : nodes) {
    if (!s.empty()) s += ' ';
    s += n->Text();
    if (n->HasChildren()) {
      std::vector<TTreeNode*> children;
      for (int i = 0; i < n->Count(); ++i) children.push_back(n->Item(i));
      s += "(" + Shape(children) + ")";
    }
  }
  return s;
}

std::string Shape(TCustomTreeView* tree)
{
  std::vector<TTreeNode*> roots;
  for (TTreeNode* n = tree->Items()->GetFirstNode(); n; n = n->GetNextSibling()) roots.push_back(n);
  return Shape(roots);
}

// The same from the window's own items.
std::string WindowShape(HWND wnd, HTREEITEM first)
{
  std::string s;
  for (HTREEITEM item = first; item;
       item = reinterpret_cast<HTREEITEM>(SendMessageA(wnd, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)))) {
    char text[64] = {};
    TVITEMA tv{};
    tv.mask = TVIF_TEXT | TVIF_HANDLE;
    tv.hItem = item;
    tv.pszText = text;
    tv.cchTextMax = sizeof text;
    SendMessageA(wnd, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
    if (!s.empty()) s += ' ';
    s += text;
    auto child = reinterpret_cast<HTREEITEM>(SendMessageA(wnd, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
    if (child) s += "(" + WindowShape(wnd, child) + ")";
  }
  return s;
}

std::string WindowShape(TCustomTreeView* tree)
{
  HWND wnd = tree->Handle();
  return WindowShape(wnd, reinterpret_cast<HTREEITEM>(SendMessageA(wnd, TVM_GETNEXTITEM, TVGN_ROOT, 0)));
}

// "a(a1 a2) b"
void FillStandard(TTreeNodes* nodes)
{
  TTreeNode* a = nodes->AddChild(nullptr, "a");
  nodes->AddChild(a, "a1");
  nodes->AddChild(a, "a2");
  nodes->AddChild(nullptr, "b");
}

TTreeNode* Find(TCustomTreeView* tree, const std::string& text)
{
  for (TTreeNode* n = tree->Items()->GetFirstNode(); n; n = n->GetNext())
    if (n->Text() == text) return n;
  throw Exception("no node " + text);
}

TOwned<TBitmap> Filled(int width, int height, COLORREF color)
{
  auto bitmap = MakeOwned<TBitmap>();
  bitmap->SetSize(width, height);
  bitmap->Canvas()->Brush()->SetColor(static_cast<TColor>(color));
  bitmap->Canvas()->FillRect({0, 0, width, height});
  return bitmap;
}

// A shown form with a tree view (a recording descendant) filling it.
class TreeView : public testing::Test {
protected:
  void SetUp() override
  {
    Form = NewForm(300, 240);
    Tree = New<TRecordingTree>(Form);
    Tree->SetParent(Form);
    Tree->SetAlign(alClient);
    Images = New<TImageList>(Form);
    Images->Add(Filled(16, 16, RGB(255, 0, 0)).get(), nullptr);
    Images->Add(Filled(16, 16, RGB(0, 0, 255)).get(), nullptr);
    Form->Show();
    Pump(50);
  }
  void TearDown() override { Free(Form); }

  TForm* Form = nullptr;
  TRecordingTree* Tree = nullptr;
  TImageList* Images = nullptr;
};

}  // namespace

CL_MESSAGE_MAP(TRecordingTree, {CN_NOTIFY, &TRecordingTree::CNNotify});
CL_DEFINE_CLASS(TRecordingTree);

TEST_F(TreeView, NodeOperationsChangeTheNodesAndTheWindowAlike)
{
  struct TCase {
    const char* Name;
    std::function<void(TCustomTreeView*)> Op;
    const char* Expected;
  };
  const TCase cases[] = {
    {"Add after a sibling's siblings", [](TCustomTreeView* t) { t->Items()->Add(Find(t, "a1"), "x"); }, "a(a1 a2 x) b"},
    {"Add a root", [](TCustomTreeView* t) { t->Items()->Add(nullptr, "x"); }, "a(a1 a2) b x"},
    {"AddFirst", [](TCustomTreeView* t) { t->Items()->AddFirst(Find(t, "b"), "x"); }, "x a(a1 a2) b"},
    {"AddChild", [](TCustomTreeView* t) { t->Items()->AddChild(Find(t, "b"), "x"); }, "a(a1 a2) b(x)"},
    {"AddChildFirst", [](TCustomTreeView* t) { t->Items()->AddChildFirst(Find(t, "a"), "x"); }, "a(x a1 a2) b"},
    {"Insert before", [](TCustomTreeView* t) { t->Items()->Insert(Find(t, "a2"), "x"); }, "a(a1 x a2) b"},
    {"Insert without sibling", [](TCustomTreeView* t) { t->Items()->Insert(nullptr, "x"); }, "a(a1 a2) b x"},
    {"Delete a parent", [](TCustomTreeView* t) { t->Items()->Delete(Find(t, "a")); }, "b"},
    {"Delete a child", [](TCustomTreeView* t) { Find(t, "a1")->Delete(); }, "a(a2) b"},
    {"DeleteChildren", [](TCustomTreeView* t) { Find(t, "a")->DeleteChildren(); }, "a b"},
    {"Clear", [](TCustomTreeView* t) { t->Items()->Clear(); }, ""},
    {"Assign", [](TCustomTreeView* t) {
       TOwned<TTreeView> other(New<TTreeView>(nullptr));
       TTreeNode* p = other->Items()->AddChild(nullptr, "p");
       other->Items()->AddChild(other->Items()->AddChild(p, "q"), "r");
       other->Items()->AddChild(nullptr, "s");
       t->Items()->Assign(other->Items());
     }, "p(q(r)) s"},
  };
  for (bool windowed : {true, false}) {
    for (const TCase& c : cases) {
      SCOPED_TRACE(std::string(c.Name) + (windowed ? " with the window" : " without it"));
      TOwned<TTreeView> tree(New<TTreeView>(nullptr));
      tree->SetParentWindow(Form->Handle());
      if (windowed) tree->HandleNeeded();
      FillStandard(tree->Items());
      c.Op(tree.get());
      EXPECT_EQ(Shape(tree.get()), c.Expected);
      // A window made afterwards shows the same.
      EXPECT_EQ(WindowShape(tree.get()), c.Expected);
    }
  }
}

TEST_F(TreeView, NodesAreWalkedInTreeOrderAndIndexesOutOfRangeRaise)
{
  FillStandard(Tree->Items());
  TTreeNodes* nodes = Tree->Items();
  ASSERT_EQ(nodes->Count(), 4);
  const char* const order[] = {"a", "a1", "a2", "b"};
  const int levels[] = {0, 1, 1, 0};
  TTreeNode* prev = nullptr;
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(order[i]);
    TTreeNode* node = nodes->Item(i);
    EXPECT_EQ(node->Text(), order[i]);
    EXPECT_EQ(node->AbsoluteIndex(), i);
    EXPECT_EQ(node->Level(), levels[i]);
    EXPECT_EQ(node->GetPrev(), prev);
    if (prev) {
      EXPECT_EQ(prev->GetNext(), node);
    }
    prev = node;
  }
  EXPECT_EQ(prev->GetNext(), nullptr);
  TTreeNode* a = nodes->Item(0);
  EXPECT_TRUE(nodes->Item(2)->HasAsParent(a));
  EXPECT_EQ(nodes->Item(2)->Index(), 1);
  for (int index : {-1, 4, 100}) {
    SCOPED_TRACE(index);
    EXPECT_EQ(MessageOf<EListError>([&] { nodes->Item(index); }),
              "List index out of bounds (" + std::to_string(index) + ")");
  }
  EXPECT_THROW(a->Item(2), EListError);
  EXPECT_THROW(a->Item(-1), EListError);
  EXPECT_EQ(Shape(Tree), "a(a1 a2) b");
  // A node of another tree is refused.
  TOwned<TTreeView> other(New<TTreeView>(nullptr));
  TTreeNode* foreign = other->Items()->AddChild(nullptr, "f");
  EXPECT_THROW(nodes->AddChild(foreign, "x"), EInvalidOperation);
  EXPECT_EQ(nodes->Count(), 4);
}

TEST_F(TreeView, NodePropertiesReachTheWindowAndTheEventsTellOfThem)
{
  std::vector<std::string> log;
  struct TEvents {
    std::vector<std::string>* Log;
    void Changing(TObject*, TTreeNode* n, bool&) { Log->push_back("changing " + n->Text()); }
    void Changed(TObject*, TTreeNode* n) { Log->push_back("change " + (n ? n->Text() : "-")); }
    void Expanding(TObject*, TTreeNode* n, bool&) { Log->push_back("expanding " + n->Text()); }
    void Expanded(TObject*, TTreeNode* n) { Log->push_back("expanded " + n->Text()); }
    void Collapsing(TObject*, TTreeNode* n, bool& allow)
    {
      Log->push_back("collapsing " + n->Text());
      allow = n->Text() != "b";
    }
    void Collapsed(TObject*, TTreeNode* n) { Log->push_back("collapsed " + n->Text()); }
    void Deletion(TObject*, TTreeNode* n) { Log->push_back("deletion " + n->Text()); }
  };
  // A plain object to bind the events to.
  class THandlers : public TObject, public TEvents {
  public:
    explicit THandlers(std::vector<std::string>* log) : TEvents{log} {}
  };
  TOwned<THandlers> h(New<THandlers>(&log));
  Tree->SetOnChanging(TTVChangingEvent(h.get(), &TEvents::Changing));
  Tree->SetOnChange(TTVChangedEvent(h.get(), &TEvents::Changed));
  Tree->SetOnExpanding(TTVExpandingEvent(h.get(), &TEvents::Expanding));
  Tree->SetOnExpanded(TTVExpandedEvent(h.get(), &TEvents::Expanded));
  Tree->SetOnCollapsing(TTVExpandingEvent(h.get(), &TEvents::Collapsing));
  Tree->SetOnCollapsed(TTVExpandedEvent(h.get(), &TEvents::Collapsed));
  Tree->SetOnDeletion(TTVExpandedEvent(h.get(), &TEvents::Deletion));
  Tree->SetImages(Images);
  Tree->SetStateImages(Images);
  FillStandard(Tree->Items());
  TTreeNode* a = Find(Tree, "a");
  TTreeNode* a2 = Find(Tree, "a2");
  HWND wnd = Tree->Handle();

  a->SetText("甲");
  char text[16] = {};
  TVITEMA item{};
  item.mask = TVIF_TEXT | TVIF_STATE | TVIF_HANDLE;
  item.hItem = a->ItemId();
  item.pszText = text;
  item.cchTextMax = sizeof text;
  item.stateMask = TVIS_STATEIMAGEMASK;
  a->SetStateIndex(1);
  SendMessageA(wnd, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_STREQ(text, "甲");
  EXPECT_EQ(item.state & TVIS_STATEIMAGEMASK, INDEXTOSTATEIMAGEMASK(1));
  a->SetImageIndex(1);
  a->SetSelectedIndex(0);
  EXPECT_EQ(a->ImageIndex(), 1);
  EXPECT_EQ(a->SelectedIndex(), 0);

  // Expanding by code asks and tells; a refused collapse stays expanded.
  a2->MakeVisible();
  EXPECT_TRUE(a->Expanded());
  EXPECT_TRUE(a2->IsVisible());
  EXPECT_EQ(SendMessageA(wnd, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(a->ItemId()), TVIS_EXPANDED) & TVIS_EXPANDED,
            TVIS_EXPANDED);
  a->SetExpanded(false);
  EXPECT_FALSE(a->Expanded());
  EXPECT_FALSE(a2->IsVisible());
  // A node without children does not expand.
  Find(Tree, "b")->SetExpanded(true);
  EXPECT_FALSE(Find(Tree, "b")->Expanded());
  Tree->Items()->AddChild(Find(Tree, "b"), "b1");
  Tree->FullExpand();
  EXPECT_TRUE(Find(Tree, "b")->Expanded());
  Find(Tree, "b")->SetExpanded(false);
  EXPECT_TRUE(Find(Tree, "b")->Expanded());
  EXPECT_EQ(log, (std::vector<std::string>{"expanding 甲", "expanded 甲", "collapsing 甲", "collapsed 甲",
                                           "expanding 甲", "expanded 甲", "expanding b", "expanded b",
                                           "collapsing b"}));

  // Selecting asks and tells; the window's selection is the node's.
  log.clear();
  a2->SetSelected(true);
  EXPECT_TRUE(a2->Selected());
  EXPECT_EQ(Tree->Selected(), a2);
  EXPECT_EQ(SendMessageA(wnd, TVM_GETNEXTITEM, TVGN_CARET, 0), reinterpret_cast<LRESULT>(a2->ItemId()));
  EXPECT_EQ(log, (std::vector<std::string>{"changing a2", "change a2"}));

  // The window made again shows what the nodes hold.
  log.clear();
  Tree->RecreateWnd();
  wnd = Tree->Handle();
  EXPECT_EQ(Tree->Selected(), a2);
  EXPECT_TRUE(a->Expanded());
  EXPECT_EQ(WindowShape(Tree), "甲(a1 a2) b(b1)");
  EXPECT_TRUE(log.empty());

  // Deleting tells of each node, children first.
  a->Delete();
  EXPECT_EQ(log, (std::vector<std::string>{"deletion a2", "deletion a1", "deletion 甲", "changing b", "change b"}));
}

TEST_F(TreeView, TreePropertiesReachTheWindowAndSortingOrdersSiblings)
{
  Tree->SetIndent(30);
  EXPECT_EQ(Tree->Indent(), 30);
  EXPECT_EQ(SendMessageA(Tree->Handle(), TVM_GETINDENT, 0, 0), 30);
  struct TStyle {
    const char* Name;
    void (TCustomTreeView::*Set)(bool);
    LONG Bit;
    bool BitWhenSet;
  };
  const TStyle styles[] = {
    {"ShowButtons", &TCustomTreeView::SetShowButtons, TVS_HASBUTTONS, true},
    {"ShowLines", &TCustomTreeView::SetShowLines, TVS_HASLINES, true},
    {"ShowRoot", &TCustomTreeView::SetShowRoot, TVS_LINESATROOT, true},
    {"ReadOnly", &TCustomTreeView::SetReadOnly, TVS_EDITLABELS, false},
    {"HideSelection", &TCustomTreeView::SetHideSelection, TVS_SHOWSELALWAYS, false},
  };
  for (const TStyle& s : styles) {
    SCOPED_TRACE(s.Name);
    for (bool on : {false, true}) {
      (Tree->*s.Set)(on);
      EXPECT_EQ((GetWindowLongA(Tree->Handle(), GWL_STYLE) & s.Bit) != 0, on == s.BitWhenSet);
    }
  }
  EXPECT_EQ(Tree->Indent(), 30);

  Tree->SetImages(Images);
  EXPECT_EQ(SendMessageA(Tree->Handle(), TVM_GETIMAGELIST, TVSIL_NORMAL, 0), reinterpret_cast<LRESULT>(Images->Handle()));
  Free(Images);
  Images = nullptr;
  EXPECT_EQ(Tree->Images(), nullptr);
  EXPECT_EQ(SendMessageA(Tree->Handle(), TVM_GETIMAGELIST, TVSIL_NORMAL, 0), 0);

  TTreeNodes* nodes = Tree->Items();
  for (const char* t : {"Pear", "apple", "Fig"}) nodes->AddChild(nullptr, t);
  TTreeNode* fig = Find(Tree, "Fig");
  for (const char* t : {"z", "y"}) nodes->AddChild(fig, t);
  Tree->SetSortType(stText);
  EXPECT_EQ(Shape(Tree), "apple Fig(y z) Pear");
  EXPECT_EQ(WindowShape(Tree), "apple Fig(y z) Pear");
  nodes->AddChild(nullptr, "banana");
  Find(Tree, "Pear")->SetText("cherry");
  EXPECT_EQ(WindowShape(Tree), "apple banana cherry Fig(y z)");
  // OnCompare decides when set: here by length, longest first.
  struct TByLength : TObject {
    void Compare(TObject*, TTreeNode* a, TTreeNode* b, int, int& result)
    {
      result = static_cast<int>(b->Text().size()) - static_cast<int>(a->Text().size());
    }
  };
  TOwned<TByLength> byLength(New<TByLength>());
  Tree->SetOnCompare(TTVCompareEvent(byLength.get(), &TByLength::Compare));
  Tree->AlphaSort();
  EXPECT_EQ(WindowShape(Tree), "banana cherry apple Fig(y z)");
}

TEST_F(TreeView, HitTestsAnswerTheLabelTheIconAndTheButton)
{
  Tree->SetImages(Images);
  FillStandard(Tree->Items());
  for (TTreeNode* n = Tree->Items()->GetFirstNode(); n; n = n->GetNext()) n->SetImageIndex(0);
  TTreeNode* a = Find(Tree, "a");
  const RECT label = a->DisplayRect(true);
  const RECT row = a->DisplayRect(false);
  ASSERT_FALSE(IsRectEmpty(&label));
  const int y = (label.top + label.bottom) / 2;
  const int iconX = label.left - 3 - Images->Width() / 2;
  // The button lies in the indent left of the icon.
  const int buttonX = label.left - 3 - Images->Width() - Tree->Indent() / 2;
  struct TCase {
    const char* Where;
    POINT At;
    THitTests Expected;
  };
  const TCase cases[] = {
    {"label", {(label.left + label.right) / 2, y}, THitTests{htOnItem, htOnLabel}},
    {"icon", {iconX, y}, THitTests{htOnItem, htOnIcon}},
    {"button", {buttonX, y}, THitTests{htOnButton}},
    {"right of the label", {label.right + 20, y}, THitTests{htOnRight}},
    {"below the nodes", {10, row.bottom * 4}, THitTests{htNowhere}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Where);
    EXPECT_EQ(Tree->GetHitTestInfoAt(c.At.x, c.At.y).ToInt(), c.Expected.ToInt());
  }
  EXPECT_EQ(Tree->GetNodeAt((label.left + label.right) / 2, y), a);
  EXPECT_EQ(Tree->GetNodeAt(10, row.bottom * 4), nullptr);
}

TEST_F(TreeView, ADescendantSeesTheWindowsMessagesAndANodeDeletedByCode)
{
  FillStandard(Tree->Items());
  Tree->Messages.clear();
  TTreeNode* b = Find(Tree, "b");
  b->SetText("bb");
  b->SetImageIndex(1);
  EXPECT_EQ(Tree->Count(TVM_SETITEMA), 2);
  Tree->SetImages(Images);
  Tree->SetStateImages(Images);
  EXPECT_EQ(Tree->Count(TVM_SETIMAGELIST), 2);
  SetWindowPos(Tree->Handle(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  RedrawWindow(Tree->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_GT(Tree->Count(WM_NCCALCSIZE), 0);
  EXPECT_GT(Tree->Count(WM_NCPAINT), 0);

  Find(Tree, "a1")->Delete();
  EXPECT_EQ(Tree->Deleted, (std::vector<std::string>{"a1"}));
  Find(Tree, "a")->Delete();
  ASSERT_EQ(Tree->Deleted.size(), 3u);
  EXPECT_EQ(Tree->Deleted.back(), "a");
  // Making the window again lets its items go, but no node.
  Tree->RecreateWnd();
  Tree->HandleNeeded();
  EXPECT_EQ(Tree->Deleted.size(), 3u);
  EXPECT_EQ(Tree->UnnamedDeletions, 1);
  EXPECT_EQ(WindowShape(Tree), "bb");
}

TEST(TreeViewForms, TheNodesOfAStoredTreeComeBackWithTheTreesProperties)
{
  TOwned<TComponent> owner(New<TComponent>(nullptr));
  auto* tree = New<TTreeView>(owner.get());
  tree->SetName("Tree");
  tree->SetShowLines(false);
  tree->SetIndent(24);
  TTreeNode* a = tree->Items()->AddChild(nullptr, "文件夹");
  TTreeNode* a1 = tree->Items()->AddChild(a, "a1");
  a1->SetImageIndex(3);
  a1->SetSelectedIndex(4);
  a1->SetStateIndex(2);
  a1->SetOverlayIndex(1);
  tree->Items()->AddChild(tree->Items()->AddChild(a1, "deep"), "deeper");
  tree->Items()->AddChild(nullptr, "");
  const std::string text = ComponentToText(tree);
  EXPECT_NE(text.find("Items.Data = {"), std::string::npos);

  TOwned<TComponent> owner2(New<TComponent>(nullptr));
  auto* copy = dynamic_cast<TTreeView*>(ReadComponentFromText(text, nullptr, owner2.get()));
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(Shape(copy), "文件夹(a1(deep(deeper))) ");
  EXPECT_FALSE(copy->ShowLines());
  EXPECT_EQ(copy->Indent(), 24);
  TTreeNode* b = copy->Items()->Item(1);
  EXPECT_EQ(b->ImageIndex(), 3);
  EXPECT_EQ(b->SelectedIndex(), 4);
  EXPECT_EQ(b->StateIndex(), 2);
  EXPECT_EQ(b->OverlayIndex(), 1);
  EXPECT_EQ(copy->Items()->Item(0)->ImageIndex(), -1);
  EXPECT_EQ(ComponentToText(copy), text);
}

namespace {
// The stored block of "a(b) c": roots, then each node's images, child count, text length and text.
std::vector<uint8_t> GoodBlock()
{
  std::vector<uint8_t> out;
  auto node = [&out](int children, const std::string& text) {
    for (int v : {0, 1, -1, -1, children, static_cast<int>(text.size())}) AppendU32(out, static_cast<uint32_t>(v));
    out.insert(out.end(), text.begin(), text.end());
  };
  AppendU32(out, 2);
  node(1, "a");
  node(0, "b");
  node(0, "c");
  return out;
}

void ReadBlock(TTreeNodes* nodes, const std::vector<uint8_t>& block)
{
  auto stream = MakeOwned<TMemoryStream>();
  if (!block.empty()) stream->WriteBuffer(block.data(), static_cast<int64_t>(block.size()));
  stream->SetPosition(0);
  nodes->ReadData(*stream);
}

std::string Hex(const std::vector<uint8_t>& bytes)
{
  std::string s;
  char b[3];
  for (uint8_t v : bytes) {
    std::snprintf(b, sizeof b, "%02X", v);
    s += b;
  }
  return s;
}
}  // namespace

TEST(TreeViewForms, BrokenNodeDataRaisesTheReadersErrorAndLeavesNoNodes)
{
  TOwned<TTreeView> tree(New<TTreeView>(nullptr));
  ReadBlock(tree->Items(), GoodBlock());
  ASSERT_EQ(Shape(tree.get()), "a(b) c");

  auto patched = [](size_t at, uint32_t value) {
    std::vector<uint8_t> block = GoodBlock();
    for (int i = 0; i < 4; ++i) block[at + i] = static_cast<uint8_t>(value >> (8 * i));
    return block;
  };
  auto cut = [](size_t size) {
    std::vector<uint8_t> block = GoodBlock();
    block.resize(size);
    return block;
  };
  std::vector<uint8_t> trailing = GoodBlock();
  trailing.push_back(0);
  // Offsets: roots at 0; node "a" at 4 (children at 20, length at 24, text at 28).
  const struct {
    const char* Name;
    std::vector<uint8_t> Block;
  } cases[] = {
    {"cut inside the root count", cut(3)},
    {"cut inside a node", cut(14)},
    {"cut inside a text", cut(28)},
    {"cut before the last node", cut(GoodBlock().size() - 25)},
    {"roots past the bytes", patched(0, 1000)},
    {"a negative root count", patched(0, 0xFFFFFFFF)},
    {"children past the bytes", patched(20, 0x7FFFFFFF)},
    {"a negative child count", patched(20, 0x80000000)},
    {"a text past the bytes", patched(24, 5000)},
    {"a negative text length", patched(24, 0xFFFFFFFE)},
    {"bytes after the last node", trailing},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    ReadBlock(tree->Items(), GoodBlock());
    EXPECT_THROW(ReadBlock(tree->Items(), c.Block), EReadError);
    EXPECT_EQ(tree->Items()->Count(), 0);
  }
  // An empty block lacks even the number of roots (a tree without nodes stores no block).
  EXPECT_THROW(ReadBlock(tree->Items(), {}), EReadError);

  // Through the reader of a stored form: its error, and no tree left behind.
  const std::string good = "object Tree: TTreeView\n  Items.Data = {" + Hex(GoodBlock()) + "}\nend\n";
  TOwned<TComponent> owner(New<TComponent>(nullptr));
  auto* read = dynamic_cast<TTreeView*>(ReadComponentFromText(good, nullptr, owner.get()));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(Shape(read), "a(b) c");
  const std::string bad = "object Tree2: TTreeView\n  Items.Data = {" + Hex(patched(24, 5000)) + "}\nend\n";
  EXPECT_THROW(ReadComponentFromText(bad, nullptr, owner.get()), EReadError);
  EXPECT_EQ(owner->FindComponent("Tree2"), nullptr);
}
