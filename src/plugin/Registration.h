#pragma once
// The eight document templates of the Q7R2x family and the commands of
// their projects.

#include <memory>

class CApplication;
class CDocTemplate;

namespace plugin {

// Model n's template: resource id, document string "\nQ7R2n \nQ7R2n",
// the model's document and the code window.
std::unique_ptr<CDocTemplate> ModelTemplate(int model);

// Adds one template per model, in model order, to `app`, and the commands
// of their projects (the code window's and the Peripherals menu) to its
// command registry. The menus of the eight are the same but for the EMI
// item, present for the large-package models only.
void RegisterTemplates(CApplication& app);

}  // namespace plugin
