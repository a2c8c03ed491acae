// Form descriptions: a small text format listing a form's (or data module's) components,
// their published property values and their event bindings, read when the form is created.
//
//   object FrmLogin: TFrmLogin            // root object: name and class
//     Caption = 'text'                    // strings in single quotes, '' for a quote
//     ClientWidth = 521                   // integers (decimal or $hexadecimal, optional sign)
//     PasswordChar = #0                   // a character by its code
//     BorderIcons = [biSystemMenu]        // sets of identifiers
//     Font.Style = [fsBold]               // nested properties by dotted names
//     Position = poScreenCenter           // enumerations and True/False by name
//     Picture = resource 'LOGIN_BACK'     // a picture or icon compiled into the program
//     OnCreate = FormCreate               // events bound to handler names
//     PopupMenu = PopupMenu1              // references to components, declared anywhere
//     object Image1: TImage ... end       // owned components, nested in parent order
//   end
//
// Strings are UTF-8 in the file; the reader hands them on in the ANSI code page.
#pragma once
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/Classes.h"

namespace fw {

struct TDescNode {
    std::string name, className;
    int line = 0;
    std::vector<std::pair<std::string, TPropValue>> props;
    std::vector<std::unique_ptr<TDescNode>> children;
};

// Parses a whole description; raises EReadError naming the line of the fault.
std::unique_ptr<TDescNode> ParseDescription(const std::string& text);

// Handlers and field slots that a root (form or data module) offers to its description.
class TDescriptionRoot {
public:
    virtual ~TDescriptionRoot() = default;
    // A handler by name, as a std::function held in a std::any; empty when unknown.
    virtual std::any FindHandler(const std::string& name) const = 0;
    // Called for each created component so the root can bind its field of that name.
    virtual void BindField(const std::string& name, TComponent* component) = 0;
};

// Applies a parsed description to an existing root component: sets the root's properties,
// creates the nested components by class name (owned by the root) and binds events.
// Raises EReadError with the component and property at fault.
void ApplyDescription(const TDescNode& node, TComponent* root, TDescriptionRoot& binder);

// Writes a component and the components it owns back as a description: the published
// properties that are stored and not at their default, the filer properties, and the
// event bindings read from a description. Components nest under their DescriptionParent.
std::string WriteDescription(TComponent* root);

// Reads the description resource of a class (resource type RCDATA, name = class name in
// upper case) from the running program; raises EReadError when there is none.
std::string LoadDescriptionResource(const std::string& className);

// The bytes of an RCDATA resource of the running program; empty when there is none.
std::string LoadRcData(const std::string& name);

}  // namespace fw
