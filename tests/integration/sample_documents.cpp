#include "sample_documents.hpp"

#include <cstdio>
#include <fstream>
#include <vector>

namespace orvane_test {

std::string write_sample_pdf(const std::string& path, int pages) {
  std::vector<std::string> objects;
  objects.push_back("<</Type/Catalog/Pages 2 0 R>>");
  std::string kids;
  for (int i = 0; i < pages; ++i) kids += std::to_string(4 + i) + " 0 R ";
  objects.push_back("<</Type/Pages/Kids[" + kids + "]/Count " + std::to_string(pages) + ">>");
  const std::string content = "0 0 0 rg 72 72 200 200 re f";
  objects.push_back("<</Length " + std::to_string(content.size()) + ">>stream\n" + content +
                    "\nendstream");
  for (int i = 0; i < pages; ++i) {
    objects.push_back("<</Type/Page/Parent 2 0 R/MediaBox[0 0 595 842]/Contents 3 0 R>>");
  }
  std::string pdf = "%PDF-1.4\n";
  std::vector<std::size_t> offsets;
  for (std::size_t i = 0; i < objects.size(); ++i) {
    offsets.push_back(pdf.size());
    pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
  }
  const std::size_t xref = pdf.size();
  pdf += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
  for (const std::size_t offset : offsets) {
    char line[32];
    std::snprintf(line, sizeof(line), "%010zu 00000 n \n", offset);
    pdf += line;
  }
  pdf += "trailer\n<</Size " + std::to_string(objects.size() + 1) + "/Root 1 0 R>>\nstartxref\n" +
         std::to_string(xref) + "\n%%EOF\n";
  std::ofstream(path, std::ios::binary) << pdf;
  return path;
}

}  // namespace orvane_test
