#include "skin/builder.h"

#include "markup/resource_elements.h"
#include "skin/button.h"
#include "skin/check_box.h"
#include "skin/combo.h"
#include "skin/edit.h"
#include "skin/horizontal_layout.h"
#include "skin/label.h"
#include "skin/option.h"
#include "skin/progress.h"
#include "skin/tab_layout.h"
#include "skin/vertical_layout.h"
#include "skin/window_manager.h"

namespace Skin {
namespace {

template <typename T>
std::unique_ptr<CControl> Make() {
    return std::make_unique<T>();
}

struct TagFactory {
    std::wstring_view tag;
    std::unique_ptr<CControl> (*create)();
};

constexpr TagFactory kFactories[] = {
    {L"Control", &Make<CControl>},
    {L"Container", &Make<CContainer>},
    {L"VerticalLayout", &Make<CVerticalLayout>},
    {L"VBox", &Make<CVerticalLayout>},
    {L"HorizontalLayout", &Make<CHorizontalLayout>},
    {L"HBox", &Make<CHorizontalLayout>},
    {L"TabLayout", &Make<CTabLayout>},
    {L"Label", &Make<CLabel>},
    {L"Button", &Make<CButton>},
    {L"Option", &Make<COption>},
    {L"CheckBox", &Make<CCheckBox>},
    {L"Edit", &Make<CEdit>},
    {L"Progress", &Make<CProgress>},
    {L"Combo", &Make<CCombo>},
};

void ApplyDefaultAttributes(CControl& control, const std::wstring& attributes) {
    // A default list is written like the inside of a start tag.
    const MarkupDocument parsed = ParseMarkup(L"<Default " + attributes + L"/>");
    if (parsed.root() == nullptr) return;
    for (const MarkupAttribute& attribute : parsed.root()->attributes) {
        control.SetAttribute(attribute.name, attribute.value);
    }
}

// Builds one element with its subtree, in the order the attributes rely on:
// the children first, then the control joins its parent, then its default
// attributes and its own attributes in document order. Returns the control
// (owned by parent when there is one, else by the caller's pointer).
CControl* BuildElement(const MarkupElement& element, CContainer* parent, IBuilderCallback* callback,
                       WindowManager& manager, std::unique_ptr<CControl>* root) {
    std::unique_ptr<CControl> control = CreateControlForTag(element.name);
    if (control == nullptr && callback != nullptr)
        control = callback->CreateCustomControl(element.name);
    if (control == nullptr) return nullptr;
    CControl* built = control.get();
    if (auto* container = dynamic_cast<CContainer*>(built)) {
        for (const MarkupElement& child : element.children) {
            BuildElement(child, container, callback, manager, nullptr);
        }
    }
    if (parent != nullptr) {
        // A refused child is deleted by Add.
        if (!parent->Add(std::move(control))) return nullptr;
    } else {
        *root = std::move(control);
    }
    if (const std::wstring* defaults = manager.GetDefaultAttributeList(element.name)) {
        ApplyDefaultAttributes(*built, *defaults);
    }
    for (const MarkupAttribute& attribute : element.attributes) {
        built->SetAttribute(attribute.name, attribute.value);
    }
    return built;
}

void DeclareResources(const MarkupElement& window, WindowManager& manager) {
    for (const MarkupElement& child : window.children) {
        switch (ResourceElementKindOf(child)) {
            case ResourceElementKind::kFont:
                if (auto font = ReadFontDeclaration(child)) manager.AddFont(*font);
                break;
            case ResourceElementKind::kImage:
                if (auto image = ReadImageDeclaration(child))
                    manager.GetImage(image->name, image->mask);
                break;
            case ResourceElementKind::kDefault:
                if (auto list = ReadDefaultDeclaration(child)) {
                    manager.AddDefaultAttributeList(list->tagName, list->value);
                }
                break;
            case ResourceElementKind::kMultiLanguage:
                if (auto text = ReadLanguageTextDeclaration(child)) {
                    manager.AddMultiLanguageString(text->id, text->value);
                }
                break;
            case ResourceElementKind::kNone:
                break;
        }
    }
}

}  // namespace

std::unique_ptr<CControl> CreateControlForTag(std::wstring_view tagName) {
    for (const TagFactory& factory : kFactories) {
        if (factory.tag == tagName) return factory.create();
    }
    return nullptr;
}

std::unique_ptr<CControl> BuildSkin(const MarkupDocument& document, IBuilderCallback* callback,
                                    WindowManager& manager) {
    const MarkupElement* root = document.root();
    if (root == nullptr) return nullptr;
    DeclareResources(*root, manager);
    if (EqualsIgnoreCase(root->name, L"Window")) {
        for (const MarkupAttribute& attribute : root->attributes) {
            manager.ApplyWindowAttribute(attribute.name, attribute.value);
        }
    }
    for (const MarkupElement& child : root->children) {
        if (ResourceElementKindOf(child) != ResourceElementKind::kNone) continue;
        std::unique_ptr<CControl> control;
        if (BuildElement(child, nullptr, callback, manager, &control) != nullptr) return control;
    }
    return nullptr;
}

}  // namespace Skin
