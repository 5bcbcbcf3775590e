// kova3d-cli run on files written as the program writes them: the dump of loci,
// surface loci and iterations, names and rich text in Windows-1252 through every
// command, and the forms of --language.

#include <nlohmann/json.hpp>

#include "cli_files.h"

using clifiles::run;
using nlohmann::json;

namespace {

const std::string kCli = KOVA_CLI;

json dumpOf(const std::filesystem::path& file, const std::filesystem::path& folder) {
    const clifiles::Run r = run(kCli, {"dump", file.string()}, folder);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    return json::parse(r.out);
}

void expectPoint(const json& p, double x, double y, double z) {
    ASSERT_TRUE(p.is_array()) << p;
    EXPECT_NEAR(p[0].get<double>(), x, 1e-9);
    EXPECT_NEAR(p[1].get<double>(), y, 1e-9);
    EXPECT_NEAR(p[2].get<double>(), z, 1e-9);
}

const json& elementOfClass(const json& dump, const std::string& cls, TypeCode typeCode) {
    for (const json& e : dump["elements"])
        if (e["class"] == cls && e["typeCode"] == codeValue(typeCode)) return e;
    static const json none;
    ADD_FAILURE() << "no " << cls << " " << codeValue(typeCode);
    return none;
}

}  // namespace

TEST(CliDump, LociSurfaceLociAndIterationsCarryTheirData) {
    const std::filesystem::path folder = clifiles::workFolder("loci");
    Document document;
    clifiles::buildLoci(document);
    ASSERT_EQ(writeDocument(document, folder / "loci.g3d", false), 1);
    const json dump = dumpOf(folder / "loci.g3d", folder);

    // The curve: Q = midpoint of C and P, P running over its segment.
    const json& curve = elementOfClass(dump, "Locus", TypeCode::PointLocus);
    ASSERT_EQ(curve["sampleCount"], 500);
    ASSERT_EQ(curve["samples"].size(), 500u);
    const json& last = curve["samples"][499];
    EXPECT_NEAR(last["value"].get<double>(), 1.0, 1e-12);
    EXPECT_EQ(last["defined"], 1);
    ASSERT_EQ(last["points"].size(), 1u);
    expectPoint(last["points"][0], 2, 1, 0);
    expectPoint(curve["samples"][0]["points"][0], 0, 1, 0);

    // The swept segment keeps both ends; the swept circle its centre, reference point and axis.
    const json& swept = elementOfClass(dump, "Locus", TypeCode::SegmentLocus);
    EXPECT_EQ(swept["sampleCount"], 200);
    ASSERT_EQ(swept["samples"][0]["points"].size(), 2u);
    expectPoint(swept["samples"][0]["points"][1], 0, 2, 0);
    const json& circle = elementOfClass(dump, "Locus", TypeCode::CircleLocus);
    EXPECT_EQ(circle["sampleCount"], 100);
    EXPECT_EQ(circle["samples"][50]["points"].size(), 4u);

    // The grid: rows of u, columns of v; no cell where sqrt(u) is undefined.
    const json& grid = elementOfClass(dump, "SurfaceLocus", TypeCode::ParameterSurfaceLocus);
    EXPECT_EQ(grid["rowCount"], 90);
    EXPECT_EQ(grid["columnCount"], 90);
    ASSERT_EQ(grid["cells"].size(), 90u);
    ASSERT_EQ(grid["cells"][0].size(), 90u);
    EXPECT_TRUE(grid["cells"][0][0].is_null());
    EXPECT_TRUE(grid["cells"][44][89].is_null());
    expectPoint(grid["cells"][89][0], std::sqrt(10.0), -10, 0);
    expectPoint(grid["cells"][45][89], std::sqrt(-10.0 + 45 * 20.0 / 89), 10, 0);

    // The iteration: the depth in force is the depth number's, truncated.
    const json& it = elementOfClass(dump, "Iteration", TypeCode::Iteration);
    EXPECT_EQ(it["depth"], 2);
    EXPECT_EQ(it["useDepthNumber"], 1);
    EXPECT_EQ(it["branchCount"], 2);
    EXPECT_EQ(it["lastOnly"], 1);
    EXPECT_EQ(it["drawPoints"], 1);
    EXPECT_EQ(it["useIterationColour"], 1);
    EXPECT_EQ(it["inputCount"], 1);
    EXPECT_EQ(it["imageTable"], json::parse("[[1, 2]]"));
}

TEST(CliText, EightBitNamesAndRichTextThroughEveryCommand) {
    const std::filesystem::path folder = clifiles::workFolder("names");
    const std::filesystem::path file = folder / "names.g3d";
    Document document;
    clifiles::buildNames(document);
    ASSERT_EQ(writeDocument(document, file, false), 1);

    // dump: UTF-8, the undefined byte as U+FFFD, the undefined value in the language's words.
    const json dump = dumpOf(file, folder);
    std::vector<std::string> names;
    for (const json& e : dump["elements"])
        if (!e["name"].is_null()) names.push_back(e["name"]);
    EXPECT_EQ(names, (std::vector<std::string>{"Á", "ñ", "€", "\uFFFD", "ñ="}));
    const json& calculation = elementOfClass(dump, "Calculation", TypeCode::Calculation);
    EXPECT_EQ(calculation["text"], "ñ=undefined");
    EXPECT_EQ(elementOfClass(dump, "Text", TypeCode::Text)["rtf"], "{\\rtf1\\ansi Café \\'e9té}");

    // list, in two languages and three ways of naming one.
    const clifiles::Run english = run(kCli, {"list", file.string()}, folder);
    EXPECT_EQ(english.exitCode, 0);
    EXPECT_EQ(english.err, "");
    for (const char* part : {" Á\n", " ñ\n", " €\n", " \uFFFD\n", "[ Á,ñ ]", " ñ= "})
        EXPECT_NE(english.out.find(part), std::string::npos) << part << "\n" << english.out;
    const clifiles::Run spanish = run(kCli, {"list", file.string(), "--language", "Español"}, folder);
    EXPECT_EQ(spanish.exitCode, 0);
    EXPECT_NE(spanish.out, english.out);
    EXPECT_NE(spanish.out.find("[ Á,ñ ]"), std::string::npos);
    EXPECT_EQ(run(kCli, {"list", file.string(), "--language", "Español.lng"}, folder).out, spanish.out);
    EXPECT_EQ(run(kCli, {"list", file.string(), "--language", "español"}, folder).out, spanish.out);
    const clifiles::Run unknown = run(kCli, {"list", file.string(), "--language", "Klingon"}, folder);
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_NE(unknown.err.find("Español"), std::string::npos) << unknown.err;

    // convert: a save and reopen keeps every byte of the names and the rich text.
    ASSERT_EQ(run(kCli, {"convert", file.string(), (folder / "again.g3d").string()}, folder).exitCode, 0);
    Document again;
    ASSERT_EQ(readDocument(folder / "again.g3d", DocumentDefaults{}, again), kReadOk);
    std::vector<std::string> stored;
    again.construction().forEach([&](const Element& e) {
        if (e.hasName()) stored.push_back(*e.name());
        if (e.kind() == ElementKind::Text) {
            EXPECT_EQ(static_cast<const Text&>(e).richText, clifiles::kRichText);
        }
    });
    EXPECT_EQ(stored, (std::vector<std::string>{"\xC1", "\xF1", "\x80", "\x81", "\xF1="}));
    EXPECT_EQ(clifiles::readAll(folder / "again.g3d"), clifiles::readAll(file));

#ifdef KOVA_CLI_RENDERS
    // render: quiet on success, and the undefined value in the language asked for.
    const auto render = [&](const char* language, const char* out) {
        std::vector<std::string> args{"render", file.string(), "-o", (folder / out).string(),
                                      "--size", "300x120"};
        if (language) args.insert(args.end(), {"--language", language});
        const clifiles::Run r = run(kCli, args, folder);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.err, "");
        return clifiles::readAll(folder / out);
    };
    const std::string inEnglish = render(nullptr, "en.bmp");
    EXPECT_EQ(render("English", "en2.bmp"), inEnglish);
    EXPECT_NE(render("Español", "es.bmp"), inEnglish);
#endif
}

TEST(CliLanguage, ALanguageIsFoundByTheNameInItsFile) {
    // A copy of the tool with a language folder of its own.
    const std::filesystem::path folder = clifiles::workFolder("language");
    std::filesystem::copy_file(kCli, folder / "kova3d-cli");
    std::filesystem::create_directories(folder / "Languages");
    std::filesystem::copy_file(std::filesystem::path(KOVA_SOURCE_DIR) / "Languages" / "English.lng",
                               folder / "Languages" / "English.lng");
    std::ofstream(folder / "Languages" / "es.lng") << "Language = Castellano\n50532=Punto medio\n";
    Document document;
    clifiles::Builder b{document.construction()};
    b.midpoint(b.free({0, 0, 0}, "A"), b.free({2, 0, 0}, "B"));
    ASSERT_EQ(writeDocument(document, folder / "m.g3d", false), 1);

    const std::string copy = (folder / "kova3d-cli").string();
    for (const char* name : {"Castellano", "castellano", "es", "es.lng"}) {
        const clifiles::Run r = run(copy, {"list", (folder / "m.g3d").string(), "--language", name}, folder);
        EXPECT_EQ(r.exitCode, 0) << name << r.err;
        EXPECT_NE(r.out.find("3. Punto medio [ A,B ]"), std::string::npos) << name << "\n" << r.out;
    }
    EXPECT_EQ(run(copy, {"list", (folder / "m.g3d").string(), "--language", "Spanish"}, folder).exitCode, 1);
}
