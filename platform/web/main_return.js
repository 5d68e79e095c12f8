// main returns through Asyncify, long after the call that started it: its value then ends the
// run as a plain return from main would.
addOnPostRun(() => {
  if (!Asyncify.currData) return;
  Asyncify.whenDone().then(code => {
    try {
      exit(code);
    } catch (e) {
      if (!(e instanceof ExitStatus)) throw e;
    }
  });
});
