// The Python module qor over the public API. Text crosses as UTF-8 with lone surrogates in their
// three-byte form ("surrogatepass"), so any str goes in and comes back whole. The GIL is released
// while the engine works, so threads that repair text run at once.

#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <string>
#include <string_view>
#include <utility>

#include "qor/qor.h"
#include "qor_version.h"

namespace py = pybind11;

namespace {

// The UTF-8 of a str, valid while `text` and `holder` live. ASCII text is used where it lies.
std::string_view Utf8Of(py::handle text, py::object& holder) {
  if (!PyUnicode_Check(text.ptr())) {
    throw py::type_error(std::string("expected str, not ") + Py_TYPE(text.ptr())->tp_name);
  }
  if (PyUnicode_READY(text.ptr()) != 0) throw py::error_already_set();
  if (PyUnicode_IS_ASCII(text.ptr())) {
    return {static_cast<const char*>(PyUnicode_DATA(text.ptr())),
            static_cast<std::size_t>(PyUnicode_GET_LENGTH(text.ptr()))};
  }
  holder = py::reinterpret_steal<py::object>(
      PyUnicode_AsEncodedString(text.ptr(), "utf-8", "surrogatepass"));
  if (!holder) throw py::error_already_set();
  return {PyBytes_AS_STRING(holder.ptr()),
          static_cast<std::size_t>(PyBytes_GET_SIZE(holder.ptr()))};
}

std::string Utf8Copy(py::handle text) {
  py::object holder;
  return std::string(Utf8Of(text, holder));
}

py::str StrOf(std::string_view utf8) {
  PyObject* text =
      PyUnicode_DecodeUTF8(utf8.data(), static_cast<Py_ssize_t>(utf8.size()), "surrogatepass");
  if (!text) throw py::error_already_set();
  return py::reinterpret_steal<py::str>(text);
}

py::list StrList(const std::vector<std::string>& items) {
  py::list list;
  for (const std::string& item : items) list.append(StrOf(item));
  return list;
}

// The functions below are plain CPython functions of the module, not pybind11's: those carry a
// capsule as __self__, and a function that does not pickle by name cannot travel to Dask's
// workers. A C++ exception becomes the Python one its kind stands for.
template <typename Body>
PyObject* Guarded(Body body) noexcept {
  try {
    return body().release().ptr();
  } catch (py::error_already_set& error) {
    error.restore();
  } catch (const py::builtin_exception& error) {
    error.set_error();
  } catch (const std::invalid_argument& error) {
    PyErr_SetString(PyExc_ValueError, error.what());
  } catch (const std::bad_alloc&) {
    PyErr_NoMemory();
  } catch (const std::exception& error) {
    PyErr_SetString(PyExc_RuntimeError, error.what());
  }
  return nullptr;
}

PyObject* unchanged = nullptr;  // the exception class qor.Unchanged

PyObject* FixFunction(PyObject*, PyObject* text) {
  return Guarded([text] {
    py::object holder;
    const std::string_view utf8 = Utf8Of(text, holder);
    std::string fixed;
    {
      py::gil_scoped_release release;
      fixed = qor::Fix(utf8);
    }
    // Text that reads well comes back as the very object it was.
    if (fixed == utf8) return py::reinterpret_borrow<py::object>(text);
    return py::object(StrOf(fixed));
  });
}

PyObject* DiagnoseFunction(PyObject*, PyObject* args, PyObject* keywords) {
  static const char* names[] = {"text", "top", nullptr};
  PyObject* text = nullptr;
  Py_ssize_t top = 5;
  if (!PyArg_ParseTupleAndKeywords(args, keywords, "U|n:diagnose", const_cast<char**>(names), &text,
                                   &top)) {
    return nullptr;
  }
  return Guarded([text, top] {
    if (top < 0) throw py::value_error("top must be 0 or more");
    py::object holder;
    const std::string_view utf8 = Utf8Of(text, holder);
    std::vector<qor::RepairCandidate> candidates;
    {
      py::gil_scoped_release release;
      candidates = qor::Diagnose(utf8, static_cast<std::size_t>(top));
    }
    return py::cast(std::move(candidates));
  });
}

PyObject* ApplyFunction(PyObject*, PyObject* args) {
  return Guarded([args] {
    const py::tuple arguments = py::reinterpret_borrow<py::tuple>(args);
    if (arguments.empty()) throw py::type_error("apply() needs the text");
    std::vector<std::string> labels;
    for (std::size_t k = 1; k < arguments.size(); ++k) labels.push_back(Utf8Copy(arguments[k]));
    py::object holder;
    const std::string_view utf8 = Utf8Of(arguments[0], holder);
    qor::Applied applied;
    {
      py::gil_scoped_release release;
      applied = qor::Apply(utf8, labels);
    }
    if (!applied) {
      PyErr_SetObject(unchanged, StrOf(applied.stopped_at + ": 未改动").ptr());
      throw py::error_already_set();
    }
    return py::object(StrOf(applied.text));
  });
}

PyObject* LabelsFunction(PyObject*, PyObject*) {
  return Guarded([] {
    py::list labels;
    for (const qor::TransformLabel& label : qor::Labels()) labels.append(StrOf(label.label));
    return labels;
  });
}

PyObject* DecodeFunction(PyObject*, PyObject* args, PyObject* keywords) {
  static const char* names[] = {"data", "code_page", nullptr};
  Py_buffer data;
  int code_page = 0;
  if (!PyArg_ParseTupleAndKeywords(args, keywords, "y*i:decode", const_cast<char**>(names), &data,
                                   &code_page)) {
    return nullptr;
  }
  PyObject* text = Guarded([&data, code_page] {
    const std::string_view bytes(static_cast<const char*>(data.buf),
                                 static_cast<std::size_t>(data.len));
    qor::Converted converted;
    {
      py::gil_scoped_release release;
      converted = qor::CodePageToUtf8(bytes, code_page);
    }
    return py::object(StrOf(converted.data));
  });
  PyBuffer_Release(&data);
  return text;
}

PyObject* EncodeFunction(PyObject*, PyObject* args, PyObject* keywords) {
  static const char* names[] = {"text", "code_page", nullptr};
  PyObject* text = nullptr;
  int code_page = 0;
  if (!PyArg_ParseTupleAndKeywords(args, keywords, "Ui:encode", const_cast<char**>(names), &text,
                                   &code_page)) {
    return nullptr;
  }
  return Guarded([text, code_page] {
    py::object holder;
    const std::string_view utf8 = Utf8Of(text, holder);
    qor::Converted converted;
    {
      py::gil_scoped_release release;
      converted = qor::Utf8ToCodePage(utf8, code_page);
    }
    return py::object(py::bytes(converted.data));
  });
}

template <auto F>
PyCFunction Function() {
  return reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(F));
}

PyMethodDef kFunctions[] = {
    {"fix", Function<FixFunction>(), METH_O,
     "fix($module, text, /)\n--\n\n"
     "The most plausible repair of text; text itself when it reads well as it is."},
    {"diagnose", Function<DiagnoseFunction>(), METH_VARARGS | METH_KEYWORDS,
     "diagnose($module, /, text, top=5)\n--\n\n"
     "Up to top candidate readings of text, best first: the repairs that read better than the\n"
     "text (those without loss first), then the text as it is (chain []), then the rest."},
    {"apply", Function<ApplyFunction>(), METH_VARARGS,
     "apply($module, text, /, *labels)\n--\n\n"
     "Applies transforms in order, each named by its label ('Eng--GB', 'URL--UTF8',\n"
     "'Code Page: (936)--(65001)'; see labels()). No labels give text as it is.\n"
     "Raises Unchanged when a step gives no result, ValueError naming the closest labels for\n"
     "an unknown one (before any step runs)."},
    {"labels", Function<LabelsFunction>(), METH_NOARGS,
     "labels($module, /)\n--\n\n"
     "Every label apply() takes, in menu order, and the patterns of the families with\n"
     "parameters: 'LCID: (A)--(B)' stands for labels such as 'LCID: (1041)--(2052)'."},
    {"decode", Function<DecodeFunction>(), METH_VARARGS | METH_KEYWORDS,
     "decode($module, /, data, code_page)\n--\n\n"
     "Bytes in a Windows code page (936 GBK, 950 Big5, 932, 1252, 65001 UTF-8...) as str;\n"
     "each invalid sequence becomes U+FFFD. ValueError for a code page not supported here."},
    {"encode", Function<EncodeFunction>(), METH_VARARGS | METH_KEYWORDS,
     "encode($module, /, text, code_page)\n--\n\n"
     "str as bytes in a Windows code page, with Windows' best fits; what the code page lacks\n"
     "becomes '?'. ValueError for a code page not supported here."},
    {nullptr, nullptr, 0, nullptr},
};

py::tuple CandidateState(const qor::RepairCandidate& c) {
  return py::make_tuple(StrList(c.chain), StrOf(c.result), c.score, c.substituted, c.invalid,
                        StrOf(c.explanation));
}

qor::RepairCandidate CandidateOf(const py::tuple& state) {
  if (state.size() != 6) throw std::runtime_error("qor.Candidate: bad pickled state");
  qor::RepairCandidate c;
  for (const py::handle label : state[0].cast<py::list>()) c.chain.push_back(Utf8Copy(label));
  c.result = Utf8Copy(state[1]);
  c.score = state[2].cast<double>();
  c.substituted = state[3].cast<std::size_t>();
  c.invalid = state[4].cast<std::size_t>();
  c.explanation = Utf8Copy(state[5]);
  return c;
}

}  // namespace

PYBIND11_MODULE(qor, m) {
  m.doc() = R"(Repairs garbled Chinese text: bytes written under one encoding and read under
another (UTF-8 shown as GBK, GBK shown as Windows-1252...), or text still in an escape format
(URL encoding, quoted-printable, Base64, HTML references, UTF-7, HZ).

    >>> qor.fix('涔辩爜')
    '乱码'
    >>> qor.diagnose('ÖÐÎÄ', top=1)[0].chain
    ['Eng--GB']
    >>> qor.apply('ÖÐÎÄ', 'Eng--GB')
    '中文'

Text goes in and comes out as str, lone surrogates included. Every function may be called from
many threads at once: the engine runs without the GIL.)";
  m.attr("__version__") = QOR_VERSION;

  static py::exception<void> unchanged_class(m, "Unchanged");
  unchanged_class.doc() = "A transform gave no result (未改动); the message names its label.";
  unchanged = unchanged_class.ptr();

  py::class_<qor::RepairCandidate>(m, "Candidate",
                                   "One way to read a text: the transforms applied, what they "
                                   "gave and how plausible it reads.")
      .def_property_readonly(
          "chain", [](const qor::RepairCandidate& c) { return StrList(c.chain); },
          "The labels of the steps in order; [] for the text as it is. "
          "qor.apply(text, *candidate.chain) replays them.")
      .def_property_readonly(
          "result", [](const qor::RepairCandidate& c) { return StrOf(c.result); },
          "The whole text after the steps.")
      .def_readonly("score", &qor::RepairCandidate::score,
                    "How much more plausible than the text as it is, in nats a character.")
      .def_property_readonly("lost", &qor::RepairCandidate::lost,
                             "Characters lost on the way: substituted + invalid.")
      .def_readonly("substituted", &qor::RepairCandidate::substituted,
                    "Characters a code page lacked, lost as '?'.")
      .def_readonly("invalid", &qor::RepairCandidate::invalid,
                    "Byte sequences that did not decode.")
      .def_property_readonly(
          "explanation", [](const qor::RepairCandidate& c) { return StrOf(c.explanation); },
          "One line (in Chinese): what the result is made of, what was lost.")
      .def("__repr__",
           [](const qor::RepairCandidate& c) {
             return py::str("<qor.Candidate chain={!r} score={:.2f} lost={}>")
                 .format(StrList(c.chain), c.score, c.lost());
           })
      .def(py::pickle(&CandidateState, &CandidateOf));

  if (PyModule_AddFunctions(m.ptr(), kFunctions) != 0) throw py::error_already_set();
}
