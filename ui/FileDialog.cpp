// The open and save dialogs: a modal form with the folder listing, a file name field and the
// file type filter.
#include "ui/FileDialog.h"

#include <algorithm>
#include <filesystem>

#include "gfx/DrawText.h"
#include "platform/FileNamePattern.h"
#include "ui/Dialogs.h"
#include "ui/StdCtrls.h"

namespace fs = std::filesystem;

TOpenDialog::TOpenDialog(TComponent* owner) : TComponent(owner) {}

std::vector<std::pair<AnsiString, AnsiString>> TOpenDialog::FilterList() const {
    std::vector<std::pair<AnsiString, AnsiString>> list;
    std::vector<AnsiString> parts;
    size_t start = 0;
    for (;;) {
        size_t bar = m_filter.find('|', start);
        parts.push_back(
            m_filter.substr(start, bar == AnsiString::npos ? AnsiString::npos : bar - start));
        if (bar == AnsiString::npos) break;
        start = bar + 1;
    }
    for (size_t i = 0; i + 1 < parts.size(); i += 2) list.push_back({parts[i], parts[i + 1]});
    if (list.empty()) list.push_back({"All files", "*"});
    return list;
}

bool TOpenDialog::MatchesPattern(const std::string& name, const AnsiString& patterns) {
    size_t start = 0;
    for (;;) {
        size_t semi = patterns.find(';', start);
        std::string p = Trim(
            patterns.substr(start, semi == AnsiString::npos ? AnsiString::npos : semi - start));
        if (p == "*.*" || p == "*") return true;
        if (MatchesFileNamePattern(p, name)) return true;
        if (semi == AnsiString::npos) return false;
        start = semi + 1;
    }
}

namespace {
struct Entry {
    std::string name;
    bool folder;
};

// The folder listing: one line per entry, folders first in brackets, with a scroll bar.
class TFileList : public TCustomControl {
public:
    explicit TFileList(TComponent* owner) : TCustomControl(owner) {
        m_color = clWindow;
        m_tabStop = true;
        m_exStyle |= WS_EX_CLIENTEDGE;
        m_controlStyle |= csDoubleClicks;
    }
    std::vector<Entry> entries;
    int selected = -1;
    std::function<void(int)> OnSelect;
    std::function<void(int)> OnOpen;

    int RowHeight() {
        TCanvas c;
        c.SetFont(m_font);
        return c.TextHeight("Wg") + 2;
    }
    int VisibleRows() { return std::max(1, ClientHeight() / RowHeight()); }
    void SetEntries(std::vector<Entry> list) {
        entries = std::move(list);
        selected = -1;
        m_top = 0;
        UpdateBar();
        Invalidate();
    }
    void Select(int index) {
        if (entries.empty()) return;
        selected = std::clamp(index, 0, int(entries.size()) - 1);
        if (selected < m_top) m_top = selected;
        if (selected >= m_top + VisibleRows()) m_top = selected - VisibleRows() + 1;
        UpdateBar();
        Invalidate();
        if (OnSelect) OnSelect(selected);
    }

protected:
    int m_top = 0;
    void UpdateBar() {
        TScrollInfo si;
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        si.nMin = 0;
        si.nMax = std::max(0, int(entries.size()) - 1);
        si.nPage = UINT(VisibleRows());
        si.nPos = m_top;
        SetScrollInfo(this, SB_VERT, si, true);
    }
    void ScrollTo(int top) {
        int maxTop = std::max(0, int(entries.size()) - VisibleRows());
        top = std::clamp(top, 0, maxTop);
        if (top == m_top) return;
        m_top = top;
        UpdateBar();
        Invalidate();
    }
    void Paint() override {
        TCanvas& c = *Canvas();
        c.Brush()->SetColor(m_color);
        c.FillRect(ClientRect());
        int h = RowHeight();
        c.SetFont(m_font);
        for (int i = m_top; i < int(entries.size()); ++i) {
            int y = (i - m_top) * h;
            if (y > ClientHeight()) break;
            TRect r = Rect(0, y, ClientWidth(), y + h);
            bool sel = i == selected;
            c.Brush()->SetColor(sel ? (Focused() ? clHighlight : clBtnFace) : m_color);
            c.FillRect(r);
            c.Font()->SetColor(sel && Focused() ? clHighlightText : clWindowText);
            c.Brush()->SetStyle(bsClear);
            const Entry& e = entries[size_t(i)];
            AnsiString text = e.folder ? "[" + Utf8ToAnsi(e.name) + "]" : Utf8ToAnsi(e.name);
            TRect t = Rect(3, y, ClientWidth() - 2, y + h);
            DrawText(c, text, t, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
            c.Brush()->SetStyle(bsSolid);
            if (sel && Focused()) c.DrawFocusRect(r);
        }
    }
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override {
        if (CanFocus()) SetFocus();
        int i = m_top + y / RowHeight();
        if (i < int(entries.size())) {
            Select(i);
            if ((shift & ssDouble) && OnOpen) OnOpen(i);
        }
        TCustomControl::MouseDown(button, shift, x, y);
    }
    void KeyDown(WORD& key, TShiftState shift) override {
        TCustomControl::KeyDown(key, shift);
        switch (key) {
        case VK_UP:
            Select(selected - 1);
            break;
        case VK_DOWN:
            Select(selected + 1);
            break;
        case VK_PRIOR:
            Select(selected - VisibleRows());
            break;
        case VK_NEXT:
            Select(selected + VisibleRows());
            break;
        case VK_HOME:
            Select(0);
            break;
        case VK_END:
            Select(int(entries.size()) - 1);
            break;
        default:
            return;
        }
    }
    void WMGetDlgCode(TWMGetDlgCode& m) override { m.Result = DLGC_WANTARROWS; }
    void WMSetFocus(TWMFocus& m) override {
        Invalidate();
        TCustomControl::WMSetFocus(m);
    }
    void WMKillFocus(TWMFocus& m) override {
        Invalidate();
        TCustomControl::WMKillFocus(m);
    }
    void WMSize(TWMSize& m) override {
        UpdateBar();
        TCustomControl::WMSize(m);
    }
    void WMVScroll(TWMScroll& m) override {
        int code = m.ScrollCode;
        if (code == SB_LINEUP)
            ScrollTo(m_top - 1);
        else if (code == SB_LINEDOWN)
            ScrollTo(m_top + 1);
        else if (code == SB_PAGEUP)
            ScrollTo(m_top - VisibleRows());
        else if (code == SB_PAGEDOWN)
            ScrollTo(m_top + VisibleRows());
        else if (code == SB_THUMBTRACK || code == SB_THUMBPOSITION)
            ScrollTo(m.Pos);
    }
    void CMMouseWheel(TWMMouseWheel& m) override {
        ScrollTo(m_top - 3 * m.WheelDelta / WHEEL_DELTA);
        m.Result = 1;
    }
};

std::vector<Entry> ListFolder(const fs::path& dir, const AnsiString& patterns) {
    std::vector<Entry> folders, files;
    if (dir.has_parent_path() && dir != dir.root_path()) folders.push_back({"..", true});
    std::error_code ec;
    for (fs::directory_iterator it(dir, fs::directory_options::skip_permission_denied, ec), end;
         !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (name.empty() || name[0] == '.') continue;
        std::error_code e2;
        if (it->is_directory(e2))
            folders.push_back({name, true});
        else if (TOpenDialog::MatchesPattern(name, patterns))
            files.push_back({name, false});
    }
    auto byName = [](const Entry& a, const Entry& b) {
        if (a.name == "..") return true;
        if (b.name == "..") return false;
        return AnsiCompareText(a.name, b.name) < 0;
    };
    std::sort(folders.begin(), folders.end(), byName);
    std::sort(files.begin(), files.end(), byName);
    folders.insert(folders.end(), files.begin(), files.end());
    return folders;
}
} // namespace

bool TOpenDialog::Execute() {
    std::error_code ec;
    fs::path dir = m_initialDir.empty() ? fs::current_path(ec) : fs::path(m_initialDir);
    if (!m_fileName.empty()) {
        fs::path f(m_fileName);
        if (f.has_parent_path() && fs::is_directory(f.parent_path(), ec)) dir = f.parent_path();
    }
    if (!fs::is_directory(dir, ec)) dir = fs::current_path(ec);
    auto filters = FilterList();
    int filterIndex = std::clamp(m_filterIndex, 1, int(filters.size()));

    TForm* form = new TForm(Application);
    form->SetBorderStyle(bsDialog);
    form->SetBorderIcons(biSystemMenu);
    form->SetPosition(poScreenCenter);
    form->SetCaption(m_title.empty() ? (IsSave() ? "Save As" : "Open") : m_title);
    form->SetClientWidth(420);
    form->SetClientHeight(318);

    auto* folderLabel = new TLabel(form);
    folderLabel->SetParent(form);
    folderLabel->SetBounds(10, 10, 400, 13);
    folderLabel->SetAutoSize(false);
    folderLabel->SetShowAccelChar(false);
    auto* list = new TFileList(form);
    list->SetParent(form);
    list->SetBounds(10, 28, 400, 200);
    auto* nameLabel = new TLabel(form);
    nameLabel->SetParent(form);
    nameLabel->SetCaption("File &name:");
    nameLabel->SetBounds(10, 242, 70, 13);
    auto* name = new TEdit(form);
    name->SetParent(form);
    name->SetBounds(90, 238, 230, 21);
    nameLabel->SetFocusControl(name);
    auto* typeLabel = new TLabel(form);
    typeLabel->SetParent(form);
    typeLabel->SetCaption("Files of &type:");
    typeLabel->SetBounds(10, 272, 70, 13);
    auto* type = new TButton(form);
    type->SetParent(form);
    type->SetBounds(90, 267, 230, 23);
    typeLabel->SetFocusControl(type);
    auto* ok = new TButton(form);
    ok->SetParent(form);
    ok->SetCaption(IsSave() ? "&Save" : "&Open");
    ok->SetBounds(335, 237, 75, 23);
    ok->SetDefault(true);
    auto* cancel = new TButton(form);
    cancel->SetParent(form);
    cancel->SetCaption("Cancel");
    cancel->SetBounds(335, 267, 75, 23);
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);

    std::string chosen;
    auto refresh = [&]() {
        folderLabel->SetCaption(Utf8ToAnsi(dir.string()));
        const auto& f = filters[size_t(filterIndex - 1)];
        type->SetCaption(f.first);
        list->SetEntries(ListFolder(dir, f.second));
    };
    auto enter = [&](const std::string& folder) {
        fs::path next = folder == ".." ? dir.parent_path() : dir / folder;
        if (fs::is_directory(next, ec)) {
            dir = next;
            refresh();
        }
    };
    list->OnSelect = [&](int i) {
        const Entry& e = list->entries[size_t(i)];
        if (!e.folder) name->SetText(Utf8ToAnsi(e.name));
    };
    auto accept = [&]() {
        std::string typed = AnsiToUtf8(Trim(name->Text()));
        if (typed.empty()) {
            if (list->selected >= 0 && list->entries[size_t(list->selected)].folder)
                enter(list->entries[size_t(list->selected)].name);
            return;
        }
        fs::path p = fs::path(typed).is_absolute() ? fs::path(typed) : dir / typed;
        if (fs::is_directory(p, ec)) {
            dir = p;
            name->SetText("");
            refresh();
            return;
        }
        if (IsSave() && !m_defaultExt.empty() && !p.has_extension()) {
            std::string ext = m_defaultExt[0] == '.' ? m_defaultExt : "." + m_defaultExt;
            p += ext;
        }
        if (!fs::is_directory(p.parent_path(), ec)) {
            ShowMessageBox(Utf8ToAnsi(p.parent_path().string()) + "\r\nThe folder does not exist.",
                           form->Caption(), MB_OK | MB_ICONWARNING);
            return;
        }
        if (!IsSave() && (m_options & ofFileMustExist) && !fs::exists(p, ec)) {
            ShowMessageBox(Utf8ToAnsi(p.filename().string()) + "\r\nFile not found.",
                           form->Caption(), MB_OK | MB_ICONWARNING);
            return;
        }
        if (IsSave() && (m_options & ofOverwritePrompt) && fs::exists(p, ec) &&
            ShowMessageBox(Utf8ToAnsi(p.filename().string()) +
                               " already exists.\r\nDo you want to replace it?",
                           form->Caption(), MB_YESNO | MB_ICONWARNING) != IDYES)
            return;
        chosen = p.string();
        form->SetModalResult(mrOk);
    };
    list->OnOpen = [&](int i) {
        const Entry& e = list->entries[size_t(i)];
        if (e.folder)
            enter(e.name);
        else
            accept();
    };
    ok->OnClick = [&](TObject*) { accept(); };
    type->OnClick = [&](TObject*) {
        filterIndex = filterIndex % int(filters.size()) + 1;
        refresh();
    };
    if (!m_fileName.empty()) name->SetText(Utf8ToAnsi(fs::path(m_fileName).filename().string()));
    refresh();
    form->SetActiveControl(name);
    PrepareForm(*form);
    int result = form->ShowModal();
    delete form;
    if (result != mrOk || chosen.empty()) return false;
    m_fileName = chosen;
    m_filterIndex = filterIndex;
    return true;
}
