#include "progress/RouterSnapshot.h"

#include <nlohmann/json.hpp>

namespace kestro {

using nlohmann::json;

// The field lists are written once each, for both directions.
// clang-format off
#define KESTRO_FIELDS_INTERFACE(F) \
    F(shutdown) F(bandwidth) F(clockRate) F(description) \
    F(keepalive) F(cdpEnable) F(ipAddress) F(subnetMask) \
    F(accessGroupOut) F(accessGroupIn)
#define KESTRO_FIELDS_CONFIG(F) \
    F(historySize) F(hostname) F(enableSecret) F(enablePassword) \
    F(motdBanner) F(execBanner) F(loginBanner) F(auxLogin) \
    F(consoleLogin) F(vtyLogin) F(auxPassword) F(consolePassword) \
    F(vtyPassword) F(domainLookup) F(domainName) F(httpServer) \
    F(auxExecTimeoutMinutes) F(auxExecTimeoutSeconds) F(consoleExecTimeoutMinutes) F(consoleExecTimeoutSeconds) \
    F(vtyExecTimeoutMinutes) F(vtyExecTimeoutSeconds) F(cdpRun) F(cdpTimer) \
    F(cdpHoldtime) F(serial0) F(serial1) F(ethernet0) \
    F(nameServers) F(hosts) F(ripNetworks) F(ripConfigured) \
    F(igrpConfigured) F(igrpNetworks) F(accessLists) F(ipRouting)
#define KESTRO_FIELDS_STATE(F) \
    F(prompt) F(savedPrompt) F(commandHistory) F(historyIndex) \
    F(savedLine) F(currentLine) F(failedPasswordCount) F(copyDialogue) \
    F(igrpAs) F(consoleText) F(consoleBold) F(inputText)

#define KESTRO_FIELDS_HOST(F) F(hostName) F(ipAddress)
#define KESTRO_FIELDS_AS_NETWORK(F) F(igrpAsNumber) F(networkAddress)
#define KESTRO_FIELDS_ACCESS_LIST(F) F(typeOfList) F(ipAddress) F(wildCard) F(number)
// clang-format on

#define KESTRO_TO(field) j[#field] = v.field;
#define KESTRO_FROM(field) j.at(#field).get_to(v.field);
#define KESTRO_JSON(Type, FIELDS)                                                                  \
    void to_json(json& j, const Type& v) {                                                         \
        FIELDS(KESTRO_TO)                                                                          \
    }                                                                                              \
    void from_json(const json& j, Type& v) {                                                       \
        FIELDS(KESTRO_FROM)                                                                        \
    }

KESTRO_JSON(interfaceConfig, KESTRO_FIELDS_INTERFACE)
KESTRO_JSON(hostIpAssociation, KESTRO_FIELDS_HOST)
KESTRO_JSON(asNetworkAssociation, KESTRO_FIELDS_AS_NETWORK)
KESTRO_JSON(accessListInfo, KESTRO_FIELDS_ACCESS_LIST)
KESTRO_JSON(routerConfig, KESTRO_FIELDS_CONFIG)

namespace {

json stateJson(const routerState& v) {
    json j = v.config();
    KESTRO_FIELDS_STATE(KESTRO_TO)
    j["mode"] = std::string(modeName(v.mode));
    if (v.currentInterface)
        j["currentInterface"] = static_cast<int>(*v.currentInterface);
    return j;
}

routerState stateFrom(const json& j) {
    routerState v;
    from_json(j, v.config());
    KESTRO_FIELDS_STATE(KESTRO_FROM)
    v.mode = modeNamed(j.at("mode").get<std::string>());
    if (j.contains("currentInterface")) {
        const int which = j.at("currentInterface").get<int>();
        if (which < 0 || which > 2)
            throw std::out_of_range("interface");
        v.currentInterface = static_cast<Interface>(which);
    }
    return v;
}

// Raised when the meaning of a field changes, so an old text is refused
// rather than misread.
constexpr int snapshotVersion = 1;

} // namespace

std::string snapshotText(const KeptRouters& kept) {
    json routers = json::array();
    for (const KeptRouter& r : kept.routers)
        routers.push_back({{"live", stateJson(r.live)}, {"saved", json(r.saved)}});
    const json j = {{"version", snapshotVersion},
                    {"active", kept.active == RouterId::b ? "RouterB" : "RouterA"},
                    {"routers", routers}};
    return j.dump();
}

std::optional<KeptRouters> readSnapshot(const std::string& text) {
    try {
        const json j = json::parse(text);
        if (j.at("version").get<int>() != snapshotVersion)
            return std::nullopt;
        KeptRouters kept;
        kept.active = j.at("active").get<std::string>() == "RouterB" ? RouterId::b : RouterId::a;
        for (const json& r : j.at("routers")) {
            KeptRouter router;
            router.live = stateFrom(r.at("live"));
            r.at("saved").get_to(router.saved);
            kept.routers.push_back(std::move(router));
        }
        if (kept.routers.empty() || (kept.active == RouterId::b && kept.routers.size() < 2))
            return std::nullopt;
        return kept;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

} // namespace kestro
