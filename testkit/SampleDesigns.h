#pragma once
// Sample designs written with the record stream's own writer, in the layout
// the design program uses: the bundled demo manifold, large designs for
// benchmarks and fuzz seeds, and a small design that uses every hole and step
// field for corruption tests. Every variant can be written as a manifold file
// (*.mnf) or as the reduced viewer file (*.mvf). The output depends only on
// the arguments: no clock, no host data.
#include <memory>
#include <string>

namespace qv {
class TManifold;
}

namespace qv::samples {

// The designs as documents, as the functions below write them.
std::unique_ptr<TManifold> DemoDesign();
std::unique_ptr<TManifold> LargeDesign(int holes, unsigned seed = 1);
std::unique_ptr<TManifold> SmallDesign();

// The demo design: a realistic manifold. viewerFile: the reduced *.mvf variant.
void WriteDemoDesign(const std::string& path, bool viewerFile);
// A large design for benchmarks and fuzz seeds: `holes` holes, about 4 steps
// each with remarks, valves on some holes, deterministic for a given seed.
void WriteLargeDesign(const std::string& path, int holes, bool viewerFile = false, unsigned seed = 1);
// A small design (a few holes, every hole/step field used) for corruption tests.
void WriteSmallDesign(const std::string& path, bool viewerFile = false);
// Any design built in code, written with every record kind it holds.
void WriteDesignDocument(const std::string& path, const TManifold& design, bool viewerFile = false);

} // namespace qv::samples
