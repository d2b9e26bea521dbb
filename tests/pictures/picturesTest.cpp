// The pictures the build draws: each is there under its name at a sensible
// size, and every address or network a diagram shows is the value the
// simulator uses for that activity (read from the labels the picture maker
// records beside what it draws).

#include "learning/Diagrams.h"
#include "learning/Networks.h"
#include "records/AddressUtils.h"

#include <QImage>
#include <QImageReader>

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using kestro::ActivityNetwork;

const std::string binDir = KESTRO_BIN_DIR;

struct Label {
    std::string field, text;
};

std::map<std::string, std::vector<Label>> readLabels() {
    std::map<std::string, std::vector<Label>> byPicture;
    std::ifstream in(KESTRO_PICTURE_LABELS);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string picture, field, text;
        std::getline(fields, picture, '\t');
        std::getline(fields, field, '\t');
        std::getline(fields, text);
        byPicture[picture].push_back({field, text});
    }
    return byPicture;
}

// Every dotted quad in a text.
std::vector<std::string> addressesIn(const std::string& text) {
    static const std::regex quad(R"(\d+\.\d+\.\d+\.\d+)");
    std::vector<std::string> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), quad);
         it != std::sregex_iterator(); ++it)
        found.push_back(it->str());
    return found;
}

// The picture of each activity, as the diagram viewer chooses it.
struct DiagramCase {
    const char* file;
    std::vector<std::string> activities;
    const char* console; // "single", "RouterA", "RouterB"
};

const std::vector<DiagramCase> diagramCases = {
    {"ActivityNetworkDiagram.jpg", {"lab"}, "single"},
    {"twoRouterTopologyA_RouterA.jpg", {"troubleshooting4", "troubleshooting5"}, "RouterA"},
    {"twoRouterTopologyA_RouterB.jpg", {"troubleshooting4", "troubleshooting5"}, "RouterB"},
    {"twoRouterTopologyB_RouterA.jpg", {"troubleshooting6"}, "RouterA"},
    {"twoRouterTopologyB_RouterB.jpg", {"troubleshooting6"}, "RouterB"},
    {"troubleShooting1.jpg", {"troubleshooting1"}, "single"},
    {"troubleShooting2.jpg", {"troubleshooting2", "troubleshooting3"}, "single"},
    {"Test1And2Diagram.jpg", {"test1", "test2"}, "single"},
    {"Test3Diagram.jpg", {"test3"}, "single"},
};

TEST(Pictures, EveryPictureIsThereAtASensibleSize) {
    struct Case {
        std::string file;
        int minWidth, minHeight, maxWidth, maxHeight;
    };
    std::vector<Case> cases;
    // A diagram fits the viewer of a 1366x768 screen without scrolling.
    for (const DiagramCase& d : diagramCases) {
        cases.push_back({d.file, 640, 400, 1000, 560});
        // The drawing for screens of twice the density.
        std::string sharp = d.file;
        sharp.insert(sharp.rfind('.'), "@2x");
        cases.push_back({sharp, 1280, 800, 2000, 1120});
    }
    cases.push_back({"SplashScreen.JPG", 400, 240, 900, 600});
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const std::string dim = std::to_string(size) + "x" + std::to_string(size);
        cases.push_back(
            {"icons/hicolor/" + dim + "/apps/" KESTRO_APP_ID ".png", size, size, size, size});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const QImage image(QString::fromStdString(binDir + "/" + c.file));
        ASSERT_FALSE(image.isNull());
        EXPECT_GE(image.width(), c.minWidth);
        EXPECT_LE(image.width(), c.maxWidth);
        EXPECT_GE(image.height(), c.minHeight);
        EXPECT_LE(image.height(), c.maxHeight);
    }
}

TEST(Pictures, WindowIconHoldsSmallAndLargeSizes) {
    QImageReader reader(QString::fromStdString(binDir + "/KestroLogoIcon.ico"));
    std::set<int> sizes;
    for (int i = 0; i < reader.imageCount(); ++i) {
        ASSERT_TRUE(reader.jumpToImage(i));
        const QImage image = reader.read();
        ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
        EXPECT_EQ(image.width(), image.height());
        sizes.insert(image.width());
    }
    EXPECT_TRUE(sizes.count(16) && sizes.count(32) && sizes.count(256));

    std::ifstream svg(binDir + "/icons/hicolor/scalable/apps/" KESTRO_APP_ID ".svg");
    const std::string text((std::istreambuf_iterator<char>(svg)), {});
    EXPECT_NE(text.find("<svg"), std::string::npos);
    EXPECT_NE(text.find("viewBox=\"0 0 256 256\""), std::string::npos);
}

TEST(Pictures, DiagramsShowTheActivitiesTopologyValues) {
    const auto labels = readLabels();
    for (const DiagramCase& d : diagramCases) {
        SCOPED_TRACE(d.file);
        ASSERT_TRUE(labels.count(d.file));
        const std::vector<Label>& drawn = labels.at(d.file);
        auto field = [&](const std::string& name) {
            std::vector<std::string> texts;
            for (const Label& l : drawn)
                if (l.field == name)
                    texts.push_back(l.text);
            return texts;
        };
        EXPECT_EQ(field("activity"), d.activities);
        EXPECT_EQ(field("console"), std::vector<std::string>{d.console});

        // Every activity that shows this picture has the same network, and
        // each of its values is drawn exactly once.
        for (const std::string& activity : d.activities) {
            SCOPED_TRACE(activity);
            const ActivityNetwork* n = kestro::networkOf(activity);
            ASSERT_NE(n, nullptr);
            const std::vector<std::pair<const char*, std::string_view>> values = {
                {"lanAHost1", n->lanAHost1},
                {"lanAHost2", n->lanAHost2},
                {"lanANetwork", n->lanANetwork},
                {"lanBHost1", n->lanBHost1},
                {"lanBHost2", n->lanBHost2},
                {"lanBNetwork", n->lanBNetwork},
                {"neighbourSerialAddress", n->neighbourSerialAddress},
                {"neighbourLanAddress", n->neighbourLanAddress},
                {"linkNetwork", n->linkNetwork},
            };
            for (const auto& [name, value] : values) {
                SCOPED_TRACE(name);
                const auto texts = field(name);
                if (value.empty()) {
                    EXPECT_TRUE(texts.empty());
                    continue;
                }
                ASSERT_EQ(texts.size(), 1u);
                EXPECT_EQ(addressesIn(texts[0]), std::vector<std::string>{std::string(value)});
            }
            if (!n->neighbourLanMask.empty()) {
                EXPECT_EQ(field("neighbourLanMask"),
                          std::vector<std::string>{
                              "/" + std::to_string(kestro::maskBitCount(n->neighbourLanMask))});
            }

            // What the student is asked to configure lies in the network the
            // simulator expects on that interface.
            const std::vector<std::pair<const char*, std::string_view>> tasks = {
                {"task:E0", n->lanANetwork}, {"task:S0", n->linkNetwork}};
            for (const auto& [name, network] : tasks) {
                for (const std::string& text : field(name)) {
                    std::smatch m;
                    ASSERT_TRUE(
                        std::regex_match(text, m, std::regex(R"((\d+\.\d+\.\d+\.\d+) /(\d+))")))
                        << text;
                    const int bits = std::stoi(m[2]);
                    std::string mask;
                    for (int octet = 0; octet < 4; ++octet) {
                        const int b = std::clamp(bits - octet * 8, 0, 8);
                        mask += (octet ? "." : "") + std::to_string((0xff00 >> b) & 0xff);
                    }
                    EXPECT_EQ(kestro::networkOf(m[1].str(), mask), network) << text;
                }
            }
        }

        // No address on the picture comes from anywhere else.
        for (const Label& l : drawn) {
            if (l.field != "activity" && l.field != "console" && l.field.rfind("task:", 0) != 0 &&
                l.field != "neighbourLanMask") {
                EXPECT_EQ(addressesIn(l.text).size(), 1u) << l.field << ": " << l.text;
            }
        }
    }
}

TEST(Pictures, TheDiagramInWordsNamesEveryAddressThePictureDraws) {
    const auto labels = readLabels();
    for (const DiagramCase& d : diagramCases) {
        SCOPED_TRACE(d.file);
        const kestro::DiagramPlan* plan = kestro::diagramPlanFor(d.file);
        ASSERT_NE(plan, nullptr);
        std::string words;
        for (const std::string& line : kestro::diagramDescription(*plan))
            words += line + "\n";
        for (const Label& l : labels.at(d.file)) {
            for (const std::string& address : addressesIn(l.text))
                EXPECT_NE(words.find(address), std::string::npos) << l.field << ": " << address;
            if (l.field.rfind("task:", 0) == 0 || l.field == "neighbourLanMask") {
                EXPECT_NE(words.find(l.text), std::string::npos) << l.field << ": " << l.text;
            }
        }
    }
}

TEST(Pictures, Test3DiagramShowsWhatTheTestChecks) {
    const auto drawn = readLabels().at("Test3Diagram.jpg");
    std::map<std::string, std::string> tasks;
    for (const Label& l : drawn)
        if (l.field.rfind("task:", 0) == 0)
            tasks[l.field] = l.text;
    const std::map<std::string, std::string> expected = {{"task:E0", "220.14.5.6 /24"},
                                                         {"task:S0", "194.23.2.1 /24"},
                                                         {"task:clockRate", "56000"},
                                                         {"task:rip", "RIP"}};
    EXPECT_EQ(tasks, expected);
}

} // namespace
