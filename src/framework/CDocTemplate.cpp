#include "framework/CDocTemplate.h"

#include <algorithm>

#include "framework/CDocument.h"
#include "framework/CView.h"

CDocTemplate::CDocTemplate(int resourceId, std::string docString, DocumentFactory createDocument,
                           ViewFactory createView)
    : resourceId_(resourceId),
      docString_(std::move(docString)),
      createDocument_(std::move(createDocument)),
      createView_(std::move(createView)) {}

bool CDocTemplate::GetDocString(std::string& out, DocStringIndex index) const {
    std::size_t begin = 0;
    for (int i = 0; i < index; ++i) {
        const std::size_t nl = docString_.find('\n', begin);
        if (nl == std::string::npos) {
            out.clear();
            return false;
        }
        begin = nl + 1;
    }
    const std::size_t end = docString_.find('\n', begin);
    out = docString_.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
    return !out.empty();
}

std::string CDocTemplate::FileNewName() const {
    std::string name;
    GetDocString(name, fileNewName);
    return name;
}

std::unique_ptr<CDocument> CDocTemplate::CreateNewDocument() const {
    if (!createDocument_) return nullptr;
    auto doc = createDocument_();
    if (doc) doc->SetDocTemplate(const_cast<CDocTemplate*>(this));
    return doc;
}

CView* CDocTemplate::CreateView() const {
    return createView_ ? createView_() : nullptr;
}

std::string CDocTemplate::UntitledName() const {
    std::string name;
    return GetDocString(name, docName) ? name : "Untitled";
}

std::string CDocTemplate::NextUntitledTitle() {
    return UntitledName() + std::to_string(++untitledCount_);
}

void CDocTemplate::TakeUntitledTitle(const std::string& title) {
    const std::string name = UntitledName();
    if (title.size() <= name.size() || title.compare(0, name.size(), name) != 0) return;
    const std::string digits = title.substr(name.size());
    if (digits.size() > 6 || digits.find_first_not_of("0123456789") != std::string::npos) return;
    untitledCount_ = std::max(untitledCount_, std::stoi(digits));
}
