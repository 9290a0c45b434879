"""Repairs garbled Chinese text: bytes written under one encoding and read under another, or
text still in an escape format. Every function takes and returns str and runs without the GIL."""

__version__: str

class Unchanged(Exception):
    """A transform gave no result (未改动); the message names its label."""

class Candidate:
    """One way to read a text: the transforms applied, what they gave, how plausible it reads."""

    @property
    def chain(self) -> list[str]:
        """The labels of the steps in order; [] for the text as it is."""
    @property
    def result(self) -> str:
        """The whole text after the steps."""
    @property
    def score(self) -> float:
        """How much more plausible than the text as it is, in nats a character."""
    @property
    def lost(self) -> int:
        """Characters lost on the way: substituted + invalid."""
    @property
    def substituted(self) -> int:
        """Characters a code page lacked, lost as '?'."""
    @property
    def invalid(self) -> int:
        """Byte sequences that did not decode."""
    @property
    def explanation(self) -> str:
        """One line (in Chinese): what the result is made of, what was lost."""

def fix(text: str) -> str:
    """The most plausible repair of text; text itself when it reads well as it is."""

def diagnose(text: str, top: int = 5) -> list[Candidate]:
    """Up to top candidate readings of text, best first; the text as it is has chain []."""

def apply(text: str, *labels: str) -> str:
    """Applies transforms in order, each named by its label.

    Raises Unchanged when a step gives no result, ValueError naming the closest labels for an
    unknown one."""

def labels() -> list[str]:
    """Every label apply() takes, in menu order, and the patterns of families with parameters."""

def decode(data: bytes, code_page: int) -> str:
    """Bytes in a Windows code page as str; ValueError for a code page not supported."""

def encode(text: str, code_page: int) -> bytes:
    """str as bytes in a Windows code page, '?' for what it lacks; ValueError if unsupported."""
