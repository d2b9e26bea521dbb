#include "Simulator.h"

namespace kestro {

Simulator::Simulator(ConsoleIo& io, std::unique_ptr<ContentStore> content, std::string appFolder)
    : errorLog(std::move(appFolder), [this](const std::string& text) { io_->messageBox(text); }),
      io_(&io), content_(std::move(content)) {
    if (content_) {
        content_->setFailureHandler(
            [this](const std::string& caller, int number, const std::string& description) {
                logError(caller, description, number);
            });
        bootText = content_->cmdInfo("bootText", "frmSplash").value_or("");
    }
}

void Simulator::logError(const std::string& operationName, const std::string& description,
                         int number) {
    errorLog.logError(operationName, number, description);
}

} // namespace kestro
