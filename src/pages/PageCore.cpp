// Anchor of the page computations library; the computations live beside the
// pages that use them.
