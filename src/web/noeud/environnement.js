// Placé devant le module du lanceur pour Node : Node ne transmet pas ses
// variables d'environnement au module ; celles de Gelim lui sont données ici.
Module['preRun'] = Module['preRun'] || [];
Module['preRun'].push(function () {
  ['GELIM_PROFONDEUR', 'GELIM_EXEMPLES'].forEach(function (v) {
    if (process.env[v] !== undefined) ENV[v] = process.env[v];
  });
});
